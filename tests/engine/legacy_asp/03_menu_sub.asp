<%
Sub MenuItem(href, caption, current)
  If href = current Then
    Response.Write vbTab & "<li class=""current""><a href=""" & href & """>" & caption & "</a></li>" & vbCrLf
  Else
    Response.Write vbTab & "<li><a href=""" & href & """>" & caption & "</a></li>" & vbCrLf
  End If
End Sub
%>
<ul id="menu">
<%
MenuItem "default.asp", "Home", "news.asp"
MenuItem "news.asp", "News", "news.asp"
MenuItem "contact.asp", "Contact", "news.asp"
%>
</ul>
