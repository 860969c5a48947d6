Attribute VB_Name = "M共通"
Option Explicit

'=================================================================
' 共通処理（在庫管理・売上集計・棚卸で共有）
'=================================================================

Public gcnDb As ADODB.Connection

Public Function OpenConnection() As Boolean
    On Error GoTo ErrHandler
    Set gcnDb = New ADODB.Connection
    gcnDb.Open "Provider=Microsoft.Jet.OLEDB.4.0;" & _
               "Data Source=" & App.Path & "\..\data\kinoha.mdb"
    OpenConnection = True
    Exit Function
ErrHandler:
    OpenConnection = False
End Function

Public Function ExecuteSql(ByVal sSql As String) As Boolean
    On Error GoTo ErrHandler
    gcnDb.Execute sSql
    ExecuteSql = True
    Exit Function
ErrHandler:
    ExecuteSql = False  ' エラー内容は呼出し元で表示しない
End Function
