<%
Class HtmlTable
  Private rows
  Private Sub Class_Initialize()
    rows = 0
  End Sub
  Public Sub Open(caption)
    Response.Write "<table>" & vbCrLf & "<caption>" & caption & "</caption>" & vbCrLf
  End Sub
  Public Sub Row(a, b)
    rows = rows + 1
    Response.Write "<tr><td>" & a & "</td><td>" & b & "</td></tr>" & vbCrLf
  End Sub
  Public Sub Close()
    Response.Write "</table><!-- " & rows & " rows -->" & vbCrLf
  End Sub
End Class

Dim t
Set t = New HtmlTable
t.Open "Staff"
t.Row "Alice", "Sales"
t.Row "Bob", "IT"
t.Close
%>
