<%
Dim query, found, hits, h
query = Request.QueryString("q")
hits = Array("Tea & cake recipes", "How to brew tea", "Tea shops in town")
found = 0
%>
<h2>Results for &quot;<%= Server.HTMLEncode(query) %>&quot;</h2>
<%
For Each h In hits
  If InStr(1, h, "tea", 1) > 0 Then
    found = found + 1
    Response.Write "<p>" & found & ". <a href=""/search.asp?q=" & Server.URLEncode(h) & """>" & Server.HTMLEncode(h) & "</a></p>" & vbCrLf
  End If
Next
If found = 0 Then Response.Write "<p>No results.</p>"
Response.Write "<p>" & found & " result(s)</p>"
%>
