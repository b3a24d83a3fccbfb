<%
Dim title, slug
title = "  Summer Sale -- 20% Off  "
slug = LCase(Replace(Trim(title), " ", "-"))
Response.Write "<h1>" & UCase(Trim(title)) & "</h1>" & vbCrLf
Response.Write "<p>Slug: " & slug & " (" & Len(slug) & " chars)</p>" & vbCrLf
Response.Write "<p>" & Left(Trim(title), 6) & "..." & Mid(title, 3, 6) & "</p>" & vbCrLf
Response.Write "<p>" & String(5, "*") & Space(2) & "|" & "</p>"
%>
