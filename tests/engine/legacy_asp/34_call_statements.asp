<%
Sub Heading(level, text)
  Call Response.Write("<h" & level & ">" & text & "</h" & level & ">" & vbCrLf)
End Sub
Call Heading(1, "Report")
Call Response.Write("<p>Intro</p>" & vbCrLf)
Heading 2, "Details"
Call Response.Write(vbTab & "<p>More</p>")
%>
