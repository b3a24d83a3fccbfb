<html>
<body>
<p>Discount: 50%</p>
<%
Dim rate
rate = 15
Response.Write "<p>Rate: " & rate & "%</p>" & vbCrLf
Response.Write "<p>Literal <" & "% and %" & "> in text</p>" & vbCrLf
Response.Write "<"
Response.Write "%= not code %" & ">" & vbCrLf
Response.Write "<p style=""width:100%"">full</p>"
%>
<p>50%> of 100%</p>
</body>
</html>
