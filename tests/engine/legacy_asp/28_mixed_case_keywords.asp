<%
dim Items, I
items = array("one", "two")
RESPONSE.WRITE "<ul>" & VBCRLF
for i = 0 to ubound(ITEMS)
  response.write "<li>" & Items(I) & "</li>" & vbcrlf
next
Response.write("</ul>")
if I = 2 then response.Write "<p>two items</p>" else response.WRITE "<p>other</p>" end if
%>
