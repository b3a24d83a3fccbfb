<%
Dim trail, n
trail = Split("Home/Products/Tea/Green tea", "/")
Response.Write "<div class=""crumbs"">"
For n = 0 To UBound(trail)
  If n > 0 Then Response.Write " &gt; "
  If n < UBound(trail) Then
    Response.Write "<a href=""" & LCase(Replace(trail(n), " ", "_")) & ".asp"">" & trail(n) & "</a>"
  Else
    Response.Write "<span>" & trail(n) & "</span>"
  End If
Next
Response.Write "</div>" & vbCrLf
%>
