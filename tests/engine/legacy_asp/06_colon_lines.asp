<% Dim a, b : a = 1 : b = 2 %>
<p>
<% Response.Write "a=" & a : Response.Write ", b=" & b : Response.Write vbCrLf %>
</p>
<% If a < b Then Response.Write "<em>a is smaller</em>" Else Response.Write "<em>b is smaller</em>" %>
<% a = a + 1 : If a = b Then Response.Write " (now equal)" : a = 0 %>
<p><%= a %></p>
