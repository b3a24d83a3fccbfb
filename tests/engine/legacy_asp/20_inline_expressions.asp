<%
Dim user, visits
user = "admin"
visits = 42
%>
<p>Welcome back, <%= user %>! You have visited <%=visits%> times.</p>
<% If visits > 10 Then %>
<p class="loyal">Thank you for being a regular.</p>
<% Else %>
<p>Come back soon.</p>
<% End If %>
<%
Response.Write "<p>Total: " & visits * 2 & "</p>"
%>
