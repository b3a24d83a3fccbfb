<%
Dim who
who = "World"
With Response
  .Write "<h2>Hello, " & who & "</h2>" & vbCrLf
  .Write "<hr>" & vbCrLf
End With
Response.Write "<p>after</p>"
%>
