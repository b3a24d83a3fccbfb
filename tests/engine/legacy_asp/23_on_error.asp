<%
On Error Resume Next
Dim values, i
values = Array("10", "x", "30")
Response.Write "<ul>" & vbCrLf
For i = 0 To 2
  Response.Write "<li>" & values(i) & " doubled is " & CInt(values(i)) * 2 & "</li>" & vbCrLf
Next
Response.Write "</ul>" & vbCrLf
Response.Write "<p>done</p>"
%>
