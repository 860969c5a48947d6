#!/usr/bin/env python3
"""Writes the sample VB6 project tree under examples/ (CP932, CR LF), from the UTF-8 texts here.

The tree is a small fictional inventory and sales application: a group of two projects, a third
project with a user document, a module shared between projects. Run it again after editing the
texts; the files it writes are committed.
"""
import os
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples")

FORM_HEAD = """VERSION 5.00
{objects}Begin VB.{kind} {name} 
   Caption         =   "{caption}"
   ClientHeight    =   {height}
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   {width}
   BeginProperty Font 
      Name            =   "ＭＳ Ｐゴシック"
      Size            =   9
      Charset         =   128
      Weight          =   400
      Underline       =   0   'False
      Italic          =   0   'False
      Strikethrough   =   0   'False
   EndProperty
   LinkTopic       =   "Form1"
   ScaleHeight     =   {height}
   ScaleWidth      =   {width}
   StartUpPosition =   3  'Windows の既定値
"""

ATTRS_FORM = """Attribute VB_Name = "{name}"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
"""

CLASS_HEAD = """VERSION 1.0 CLASS
BEGIN
  MultiUse = -1  'True
  Persistable = 0  'NotPersistable
  DataBindingBehavior = 0  'vbNone
  DataSourceBehavior  = 0  'vbNone
  MTSTransactionMode  = 0  'NotAnMTSObject
END
Attribute VB_Name = "{name}"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = False
"""


def button(name, caption, left, top, index):
    return f"""   Begin VB.CommandButton {name} 
      Caption         =   "{caption}"
      Height          =   495
      Left            =   {left}
      TabIndex        =   {index}
      Top             =   {top}
      Width           =   1935
   End
"""


def form(name, caption, controls, code, kind="Form", objects="", height=3195, width=4680):
    head = FORM_HEAD.format(objects=objects, kind=kind, name=name, caption=caption,
                            height=height, width=width)
    return head + controls + "End\n" + ATTRS_FORM.format(name=name) + code


FILES = {}

FILES["Zaiko.vbg"] = """VBGROUP 5.0
StartupProject=Zaiko\\Zaiko.vbp
Project=Uriage\\Uriage.vbp
"""

VBP_TAIL = """HelpFile=""
Title="{title}"
ExeName32="{exe}"
Path32="..\\bin"
Command32=""
Name="{name}"
HelpContextID="0"
CompatibleMode="0"
MajorVer=1
MinorVer={minor}
RevisionVer=0
AutoIncrementVer=0
ServerSupportFiles=0
VersionCompanyName="きのは商事"
CompilationType=0
OptimizationType=0
FavorPentiumPro(tm)=0
CodeViewDebugInfo=0
NoAliasing=0
BoundsCheck=0
OverflowCheck=0
FlPointCheck=0
FDIVCheck=0
UnroundedFP=0
StartMode=0
Unattended=0
Retained=0
ThreadPerObject=0
MaxNumberOfThreads=1

[MS Transaction Server]
AutoRefresh=1
"""

STDOLE = ("Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#"
          "..\\..\\..\\..\\WINDOWS\\system32\\stdole2.tlb#OLE Automation\n")
ADO = ("Reference=*\\G{2A75196C-D9EB-4129-B803-931327F72D5C}#2.8#0#"
       "..\\..\\..\\..\\Program Files\\Common Files\\System\\ado\\msado28.tlb"
       "#Microsoft ActiveX Data Objects 2.8 Library\n")

# frmShohin.frm is named "FrmShohin.frm" in the project file: Windows finds it all the same.
FILES["Zaiko/Zaiko.vbp"] = ("Type=Exe\n" + STDOLE + ADO +
    "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX\n"
    "Form=Forms\\frmMain.frm\n"
    "Form=Forms\\FrmShohin.frm\n"
    "Module=MZaiko; Modules\\MZaiko.bas\n"
    "Module=M共通; ..\\Common\\MCommon.bas\n"
    "Class=CShohin; Classes\\CShohin.cls\n"
    "Class=CZaikoList; Classes\\CZaikoList.cls\n"
    "IconForm=\"frmMain\"\n"
    "Startup=\"frmMain\"\n" +
    VBP_TAIL.format(title="在庫管理", exe="Zaiko.exe", name="Zaiko", minor=2))

FILES["Zaiko/Forms/frmMain.frm"] = form(
    "frmMain", "在庫管理メニュー",
    button("cmdShohin", "商品マスタ(&S)", 240, 240, 0) +
    button("cmdZaiko", "在庫一覧(&Z)", 240, 840, 1) +
    button("cmdEnd", "終了(&X)", 240, 1440, 2),
    """Option Explicit

'----------------------------------------------------------------
' 在庫管理メニュー
'----------------------------------------------------------------

Private Sub cmdShohin_Click()
    frmShohin.Show vbModal, Me
End Sub

Private Sub cmdZaiko_Click()
    Dim oList As CZaikoList

    Set oList = New CZaikoList
    ' 倉庫コードを指定して一覧を作る
    oList.Load gsSoukoCode
    MsgBox "在庫件数：" & CStr(oList.Count) & "件", _
           vbInformation, _
           "在庫一覧"
    Set oList = Nothing
End Sub

Private Sub cmdEnd_Click()
    Unload Me
End Sub

Private Sub Form_Load()
    Rem 起動時に接続を開く
    If Not OpenConnection() Then
        MsgBox "データベースに接続できません", vbCritical, "在庫管理"
        End
    End If
End Sub
""", objects='Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"\n')

FILES["Zaiko/Forms/frmShohin.frm"] = form(
    "frmShohin", "商品マスタ",
    """   Begin VB.TextBox txtName 
      Height          =   270
      IMEMode         =   4  '全角ひらがな
      Left            =   1320
      TabIndex        =   1
      Top             =   600
      Width           =   3015
   End
   Begin VB.TextBox txtCode 
      Height          =   270
      IMEMode         =   3  'ｵﾌ固定
      Left            =   1320
      MaxLength       =   8
      TabIndex        =   0
      Top             =   240
      Width           =   1215
   End
""" + button("cmdSave", "登録(&R)", 2400, 1200, 2) + """   Begin VB.Label lblName 
      Caption         =   "商品名"
      Height          =   255
      Left            =   240
      TabIndex        =   4
      Top             =   600
      Width           =   975
   End
   Begin VB.Label lblCode 
      Caption         =   "商品コード"
      Height          =   255
      Left            =   240
      TabIndex        =   3
      Top             =   240
      Width           =   975
   End
""",
    """Option Explicit

Private moShohin As CShohin

Private Sub Form_Load()
    Set moShohin = New CShohin
End Sub

'商品を登録する
Private Sub cmdSave_Click()
    If Len(Trim$(txtCode.Text)) = 0 Then
        MsgBox "商品コードを入力して下さい", vbExclamation
        txtCode.SetFocus
        Exit Sub
    End If

    moShohin.Code = txtCode.Text
    moShohin.Name = txtName.Text   ' 全角で入力
    If moShohin.Save() Then
        MsgBox "登録しました", vbInformation
    End If
End Sub

Private Sub Form_Unload(Cancel As Integer)
    Set moShohin = Nothing
End Sub
""")

FILES["Zaiko/Modules/MZaiko.bas"] = """Attribute VB_Name = "MZaiko"
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
"""

FILES["Zaiko/Classes/CShohin.cls"] = CLASS_HEAD.format(name="CShohin") + """Option Explicit

' 商品マスタの1件
Public Code As String
Public Name As String
Public Tanka As Currency

Public Function Save() As Boolean
    Dim sSql As String

    sSql = "UPDATE 商品 SET 商品名 = '" & Replace$(Name, "'", "''") & "'" & _
           " WHERE 商品コード = '" & Code & "'"
    Save = ExecuteSql(sSql)
End Function
"""

FILES["Zaiko/Classes/CZaikoList.cls"] = CLASS_HEAD.format(name="CZaikoList") + """
Option Explicit

Private mcolItems As Collection

'倉庫ごとの在庫を読む
Public Sub Load(ByVal sSouko As String)
    Set mcolItems = New Collection
    ' TODO: 棚卸し中の倉庫は除く
End Sub

Public Property Get Count() As Long
    If mcolItems Is Nothing Then Exit Property
    Count = mcolItems.Count
End Property
"""

FILES["Common/MCommon.bas"] = """Attribute VB_Name = "M共通"
Option Explicit

'=================================================================
' 共通処理（在庫管理・売上集計・棚卸で共有）
'=================================================================

Public gcnDb As ADODB.Connection

Public Function OpenConnection() As Boolean
    On Error GoTo ErrHandler
    Set gcnDb = New ADODB.Connection
    gcnDb.Open "Provider=Microsoft.Jet.OLEDB.4.0;" & _
               "Data Source=" & App.Path & "\\..\\data\\kinoha.mdb"
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
"""

FILES["Uriage/Uriage.vbp"] = ("Type=Exe\n" + STDOLE + ADO +
    "Form=frmUriage.frm\n"
    "Form=mdiUriage.frm\n"
    "Module=MUriage; MUriage.bas\n"
    "Module=M共通; ..\\Common\\MCommon.bas\n"
    "Class=CUriage; CUriage.cls\n"
    "Designer=deUriage.dsr\n"
    "IconForm=\"mdiUriage\"\n"
    "Startup=\"mdiUriage\"\n" +
    VBP_TAIL.format(title="売上集計", exe="Uriage.exe", name="Uriage", minor=0))

FILES["Uriage/mdiUriage.frm"] = """VERSION 5.00
Begin VB.MDIForm mdiUriage 
   BackColor       =   &H8000000C&
   Caption         =   "売上集計"
   ClientHeight    =   5430
   ClientLeft      =   165
   ClientTop       =   735
   ClientWidth     =   8400
   LinkTopic       =   "MDIForm1"
   StartUpPosition =   3  'Windows の既定値
   Begin VB.Menu mnuFile 
      Caption         =   "ファイル(&F)"
      Begin VB.Menu mnuDaily 
         Caption         =   "日計表(&D)"
      End
      Begin VB.Menu mnuEnd 
         Caption         =   "終了(&X)"
      End
   End
End
Attribute VB_Name = "mdiUriage"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub mnuDaily_Click()
    frmUriage.Show
End Sub

Private Sub mnuEnd_Click()
    Unload Me
End Sub
"""

FILES["Uriage/frmUriage.frm"] = form(
    "frmUriage", "日計表",
    """   Begin VB.ListBox lstDaily 
      Height          =   2580
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   4455
   End
""",
    """Option Explicit

' 日付ごとの売上を表示する
Private Sub Form_Load()
    Dim oUriage As CUriage
    Dim dtDay As Date

    Me.MDIChild = True
    Set oUriage = New CUriage
    For dtDay = DateSerial(Year(Date), Month(Date), 1) To Date
        lstDaily.AddItem Format$(dtDay, "mm/dd") & "  " & _
                         Format$(oUriage.DayTotal(dtDay), "#,##0") & "円"
    Next dtDay
End Sub
""")

FILES["Uriage/MUriage.bas"] = """Attribute VB_Name = "MUriage"
Option Explicit

' 消費税率（％）
Public Const TAX_RATE As Long = 5

Public Function Zeikomi(ByVal cKingaku As Currency) As Currency
    Zeikomi = cKingaku + Int(cKingaku * TAX_RATE / 100)
End Function
"""

FILES["Uriage/CUriage.cls"] = CLASS_HEAD.format(name="CUriage") + """Option Explicit

'1日の売上合計（税込）
Public Function DayTotal(ByVal dtDay As Date) As Currency
    Dim rs As ADODB.Recordset

    Set rs = deUriage.rsDaily
    DayTotal = 0
    ' 伝票ごとに税込金額を足す
    Do While Not rs.EOF
        If rs!売上日 = dtDay Then DayTotal = DayTotal + Zeikomi(rs!金額)
        rs.MoveNext
    Loop
End Function
"""

FILES["Uriage/deUriage.dsr"] = """VERSION 5.00
Begin {C0E45035-5775-11D0-B388-00A0C9055D8E} deUriage 
   ClientHeight    =   6225
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   7995
   _ExtentX        =   14102
   _ExtentY        =   10980
   FolderFlags     =   7
   TypeLibGuid     =   "{5A1F39E2-41C8-4C36-9E8A-0D47B2C1F210}"
   TypeInfoGuid    =   "{7B3C02A9-18E4-4F6B-A4C2-93D6E1B04A7E}"
   TypeInfoCookie  =   0
   Version         =   4
   NumConnections  =   1
   BeginProperty Connection1 
      ConnectionName  =   "conUriage"
      ConnDispId      =   1001
      SourceOfData    =   3
      ConnectionSource=   "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=..\\data\\kinoha.mdb"
      Expanded        =   -1  'True
      QuoteChar       =   96
      SeparatorChar   =   46
   EndProperty
   NumRecordsets   =   1
   BeginProperty Recordset1 
      CommandName     =   "rsDaily"
      CommDispId      =   1002
      RsDispId        =   1005
      CommandText     =   "SELECT 売上日, 金額 FROM 売上 ORDER BY 売上日"
      ActiveConnectionName=   "conUriage"
      CommandType     =   1
      Expanded        =   -1  'True
      IsRSReturning   =   -1  'True
   EndProperty
End
Attribute VB_Name = "deUriage"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit
"""

FILES["Tanaoroshi/Tanaoroshi.vbp"] = ("Type=OleExe\n" + STDOLE + ADO +
    "UserDocument=docTana.dob\n"
    "Module=MTana; MTana.bas\n"
    "Module=M共通; ..\\Common\\MCommon.bas\n"
    "Startup=\"(None)\"\n" +
    VBP_TAIL.format(title="棚卸入力", exe="Tanaoroshi.exe", name="Tanaoroshi", minor=0))

FILES["Tanaoroshi/docTana.dob"] = """VERSION 5.00
Begin VB.UserDocument docTana 
   ClientHeight    =   3600
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   4800
   HScrollSmallChange=   225
   ScaleHeight     =   3600
   ScaleWidth      =   4800
   VScrollSmallChange=   225
   Begin VB.TextBox txtJissu 
      Alignment       =   1  '右揃え
      Height          =   270
      Left            =   1440
      TabIndex        =   0
      Top             =   240
      Width           =   1215
   End
   Begin VB.CommandButton cmdKakutei 
      Caption         =   "確定"
      Height          =   375
      Left            =   2880
      TabIndex        =   1
      Top             =   240
      Width           =   975
   End
End
Attribute VB_Name = "docTana"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = True
Option Explicit

' 実数を確定して差異を記録する
Private Sub cmdKakutei_Click()
    If Not IsNumeric(txtJissu.Text) Then
        MsgBox "数値を入力して下さい", vbExclamation, "棚卸"
        Exit Sub
    End If
    RecordSai CLng(txtJissu.Text)
End Sub
"""

FILES["Tanaoroshi/MTana.bas"] = """Attribute VB_Name = "MTana"
Option Explicit

Public Sub RecordSai(ByVal lJissu As Long)
    '帳簿数との差異を棚卸表に書く
    ExecuteSql "INSERT INTO 棚卸 (実数) VALUES (" & CStr(lJissu) & ")"
End Sub
"""


def main():
    for rel, text in FILES.items():
        path = os.path.join(ROOT, *rel.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
        with open(path, "wb") as f:
            f.write(data)
    print(f"wrote {len(FILES)} files under {os.path.normpath(ROOT)}", file=sys.stderr)


if __name__ == "__main__":
    main()
