<%
Dim status, code
For Each code In Array(1, 2, 3, 9)
  Select Case code
    Case 1
      Response.Write "<span class=""ok"">Shipped</span>"
    Case 2, 3
      Response.Write "<span class=""wait"">Pending (" & code & ")</span>"
    Case Else
      Response.Write "<span class=""bad"">Unknown</span>"
  End Select
  Response.Write "<br>" & vbCrLf
Next
%>
