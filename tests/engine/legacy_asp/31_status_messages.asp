<%
Sub ShowMessage(kind, text)
  If kind = "error" Then Response.Write "<div class=""error"">" Else Response.Write "<div class=""info"">"
  Response.Write text
  Response.Write "</div>" & vbCrLf
End Sub
Dim action
action = Request.QueryString("action")
Select Case action
  Case "save" : ShowMessage "info", "Saved."
  Case "delete" : ShowMessage "error", "Cannot delete."
  Case Else : ShowMessage "info", "Action: " & action
End Select
ShowMessage "error", "Disk almost full (95%)"
ShowMessage "info", "Backup finished."
%>
