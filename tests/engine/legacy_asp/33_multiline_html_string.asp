<%
Dim html
html = "<div>" & vbCrLf & "  <p>built in a variable</p>" & vbCrLf & "</div>"
Response.Write html & vbCrLf
Response.Write "<pre>" & vbCrLf & "line 1" & vbCrLf & vbTab & "line 2" & vbCrLf & "</pre>" & vbCrLf
Response.Write "<!-- generated -->" & vbCrLf
Response.Write "<textarea>" & vbLf & "a" & vbCr & "b" & vbLf & vbLf & "</textarea>"
%>
