<%
Dim q
q = Chr(34)
Response.Write "<a href=" & Chr(34) & "page.asp?id=7" & Chr(34) & ">link</a>" & Chr(13) & Chr(10)
Response.Write "<img alt=" & q & "logo" & q & " src=" & Chr(39) & "logo.gif" & Chr(39) & ">" & vbCrLf
Response.Write "tab" & Chr(9) & "separated" & vbLf
Response.Write "code &H41: " & Chr(&H41) & vbCr & vbLf
Response.Write "high: " & Chr(233) & vbNewLine
%>
