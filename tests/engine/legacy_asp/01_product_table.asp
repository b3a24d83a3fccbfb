<%@ Language="VBScript" %>
<% Option Explicit %>
<html>
<head><title>Products</title></head>
<body>
<%
Dim names, prices, i
names = Array("Tea", "Coffee", "Cocoa ""Deluxe""")
prices = Array(2.5, 3, 4.25)
Response.Write "<table border=""1"">" & vbCrLf
Response.Write "<tr><th>Name</th><th>Price</th></tr>" & vbCrLf
For i = 0 To UBound(names)
    Response.Write "<tr><td>" & names(i) & "</td><td>" & prices(i) & "</td></tr>" & vbCrLf
Next
Response.Write "</table>" & vbCrLf
%>
</body>
</html>
