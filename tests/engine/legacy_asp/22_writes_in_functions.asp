<%
' A function that prints and returns a value: the page prints what it
' prints before the line that uses it.
Function Counter(n)
  Response.Write "[counting " & n & "]"
  Counter = n * 10
End Function
Response.Write "<p>Value: " & Counter(4) & "</p>" & vbCrLf
Response.Write Counter(1) & " first" & vbCrLf
%>
