<%
Dim r, c
Response.Write "<table class=""times"">" & vbCrLf
For r = 1 To 4
  Response.Write "<tr>"
  For c = 1 To 4
    If r = c Then
      Response.Write "<td class=""diag"">" & r * c & "</td>"
    ElseIf r > c Then
      Response.Write "<td>" & r * c & "</td>"
    Else
      Response.Write "<td></td>"
    End If
  Next
  Response.Write "</tr>" & vbCrLf
Next
Response.Write "</table>"
%>
