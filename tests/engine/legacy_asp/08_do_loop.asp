<%
Dim n, total
n = 1 : total = 0
Response.Write "<ol>" & vbCrLf
Do While n <= 5
  total = total + n
  Response.Write "  <li>" & n & " (running total " & total & ")</li>" & vbCrLf
  n = n + 1
Loop
Response.Write "</ol>" & vbCrLf
Do
  n = n - 1
  Response.Write n & " "
Loop Until n <= 2
%>
