<%
' Page footer
' written 1999 for the intranet
Dim year ' the copyright year
year = 2001
Rem print the footer
Response.Write "<div id=""footer"">" ' open
Response.Write "&copy; " & year & " ACME Corp." : Rem the text
REM close it
Response.Write "</div>" & vbCrLf ' done
%>
