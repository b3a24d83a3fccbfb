<%
Dim settings, key
Set settings = CreateObject("Scripting.Dictionary")
settings.Add "site", "ACME Intranet"
settings.Add "admin", "webmaster@acme.example"
settings.Add "theme", "blue"
Response.Write "<dl>" & vbCrLf
For Each key In settings.Keys
  Response.Write "<dt>" & key & "</dt><dd>" & settings(key) & "</dd>" & vbCrLf
Next
Response.Write "</dl>" & vbCrLf
Set settings = Nothing
%>
