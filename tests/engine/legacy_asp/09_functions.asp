<%
Function Bold(text)
  Bold = "<b>" & text & "</b>"
End Function
Function Money(value)
  Money = "$" & value
End Function
Dim items, i
items = Array("Pen", "Paper", "Ink")
For i = 0 To 2
  Response.Write "<p>" & Bold(items(i)) & ": " & Money((i + 1) * 3) & "</p>" & vbCrLf
Next
%>
