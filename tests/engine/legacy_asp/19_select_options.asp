<%
Dim countries, selected, i
countries = Array("Austria", "Belgium", "Canada", "Denmark")
selected = "Canada"
%>
<select name="country">
<%
For i = LBound(countries) To UBound(countries)
  If countries(i) = selected Then
    Response.Write "<option selected value=""" & i & """>" & countries(i) & "</option>" & vbCrLf
  Else
    Response.Write "<option value=""" & i & """>" & countries(i) & "</option>" & vbCrLf
  End If
Next
%>
</select>
