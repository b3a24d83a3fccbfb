<%
Dim msg
msg = "Saved"
Response.Write "<script type=""text/javascript"">" & vbCrLf
Response.Write "  var msg = '" & msg & "';" & vbCrLf
Response.Write "  if (a < b && b > c) { alert(msg + "" \""ok\"""") }" & vbCrLf
Response.Write "</script>" & vbCrLf
%>
<noscript>Enable JavaScript</noscript>
