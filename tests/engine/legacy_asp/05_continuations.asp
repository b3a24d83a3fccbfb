<html><body>
<%
Dim title, author
title = "Annual report"
author = "J. Smith"
Response.Write "<div class=""header"">" & _
               "<h1>" & title & "</h1>" & _
               "<p>by " & author & "</p>" & _
               "</div>" & vbCrLf
Response.Write _
    "<p>Last line</p>"
%>
</body></html>
