Attribute VB_Name = "MTana"
Option Explicit

Public Sub RecordSai(ByVal lJissu As Long)
    '’ •ë”‚Æ‚Ì·ˆÙ‚ğ’I‰µ•\‚É‘‚­
    ExecuteSql "INSERT INTO ’I‰µ (À”) VALUES (" & CStr(lJissu) & ")"
End Sub
