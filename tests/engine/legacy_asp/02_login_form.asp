<%
Dim userName, errorText
userName = Request.QueryString("user")
errorText = ""
If userName = "" Then errorText = "Please enter your name."
%>
<form method="post" action="login.asp">
<%
If errorText <> "" Then
  Response.Write("<p class=""error"">" & errorText & "</p>" & vbCrLf)
End If
Response.Write "<label for=""user"">User:</label>" & vbCrLf
Response.Write "<input type=""text"" name=""user"" value=""" & Server.HTMLEncode(userName) & """>" & vbCrLf
Response.Write "<input type=""password"" name=""pass"">" & vbCrLf
Response.Write "<input type=""submit"" value=""Log in"">"
%>
</form>
