<%
Dim headlines(2), dates(2), k
headlines(0) = "Office closed on Monday"
headlines(1) = "New price list <2001>"
headlines(2) = "Q&A session"
dates(0) = "2001-05-02" : dates(1) = "2001-05-09" : dates(2) = "2001-05-20"
%>
<div class="news">
<% For k = 0 To 2 %>
  <div class="item">
    <% Response.Write "<span class=""date"">" & dates(k) & "</span>" %>
    <% Response.Write "<h3>" & Server.HTMLEncode(headlines(k)) & "</h3>" %>
  </div>
<% Next %>
</div>
