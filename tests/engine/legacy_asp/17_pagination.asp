<%
Dim pageNo, pageCount, p
pageNo = CInt(Request.QueryString("page"))
pageCount = 5
Response.Write "<div class=""pager"">"
If pageNo > 1 Then Response.Write "<a href=""?page=" & pageNo - 1 & """>&laquo; Prev</a> "
For p = 1 To pageCount
  If p = pageNo Then
    Response.Write "<b>" & p & "</b> "
  Else
    Response.Write "<a href=""?page=" & p & """>" & p & "</a> "
  End If
Next
If pageNo < pageCount Then Response.Write "<a href=""?page=" & pageNo + 1 & """>Next &raquo;</a>"
Response.Write "</div>"
%>
