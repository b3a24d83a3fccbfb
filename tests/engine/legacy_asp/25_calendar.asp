<%
Dim firstDay, days, d, col
firstDay = 3
days = 30
Response.Write "<table class=""cal"">" & vbCrLf & "<tr>"
For col = 1 To firstDay - 1
  Response.Write "<td>&nbsp;</td>"
Next
col = firstDay
For d = 1 To days
  Response.Write "<td>" & d & "</td>"
  If col Mod 7 = 0 Then Response.Write "</tr>" & vbCrLf & "<tr>"
  col = col + 1
Next
Response.Write "</tr>" & vbCrLf & "</table>"
%>
