<%
Dim stock, price
stock = 0 : price = 12.5
If stock > 0 Then
  Response.Write "<p class=""in"">In stock</p>"
  If stock < 5 Then
    Response.Write "<p>Only " & stock & " left!</p>"
  End If
Else
  Response.Write "<p class=""out"">Sold out</p>"
End If
Response.Write vbCrLf
While price > 10
  Response.Write "<p>Price " & price & "</p>" & vbCrLf
  price = price - 1
Wend
%>
