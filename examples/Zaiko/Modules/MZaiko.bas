Attribute VB_Name = "MZaiko"
Option Explicit

'在庫管理の共通定義
Public gsSoukoCode As String    ' 倉庫コード

Public Const ZAIKO_MIN As Long = 0
Public Const ZAIKO_MAX As Long = 99999

' 在庫数が範囲内か調べる
Public Function IsValidZaiko(ByVal lSuu As Long) As Boolean
    IsValidZaiko = (lSuu >= ZAIKO_MIN And _
                    lSuu <= ZAIKO_MAX)
End Function

Remark: Rem で始まる行は、続く文字に関係なく注釈として数える
Public Function ZaikoText(ByVal lSuu As Long) As String
    ZaikoText = Format$(lSuu, "#,##0") & "個"
End Function
