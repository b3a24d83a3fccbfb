<%
Dim cnt, label
cnt = 3
label = "items"
Response.Write "<p>" + "Cart" + "</p>" + vbCrLf
Response.Write "<p>" & cnt + 1 & " " & label & "</p>" & vbCrLf
Response.Write "<p>" + label + "!</p>" & vbCrLf
Response.Write "<p>" & "1" + "2" & "</p>" & vbCrLf
%>
