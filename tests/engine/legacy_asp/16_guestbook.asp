<%@ Language=VBScript %>
<%
Dim entries, parts, entry
entries = Array("Anna|Nice site!", "Bob|Where is the ""download"" link?", "Chlo" & Chr(233) & "|Merci")
%>
<h1>Guestbook</h1>
<%
For Each entry In entries
  parts = Split(entry, "|")
  Response.Write "<div class=""entry"">" & vbCrLf
  Response.Write "  <strong>" & Server.HTMLEncode(parts(0)) & "</strong> wrote:" & vbCrLf
  Response.Write "  <blockquote>" & Server.HTMLEncode(parts(1)) & "</blockquote>" & vbCrLf
  Response.Write "</div>" & vbCrLf
Next
%>
<p>Café crème &euro; €</p>