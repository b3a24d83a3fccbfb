<%
Response.Write ""
Response.Write vbCrLf
Response.Write("")
Dim z : z = ""
Response.Write z
Response.Write "" & z & ""
Response.Write "end"
%><%
%><% Response.Write "x" %><% Response.Write "y" %>
