<html>
<head><title>Help</title></head>
<body>
<h1>Questions</h1>
<p>Why does <? show in old pages? It is plain text here.</p>
<%
Rem out.print("x") was how the Java version wrote this
Dim answers : answers = 3
Response.Write "<p>" & answers & " answers</p>"
If answers > 2 Then
  Response.Write "<p>many</p>" : Rem out.println(answers)
End If
%>
</body>
</html>
