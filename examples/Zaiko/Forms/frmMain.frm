VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Begin VB.Form frmMain 
   Caption         =   "在庫管理メニュー"
   ClientHeight    =   3195
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   4680
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
   ScaleHeight     =   3195
   ScaleWidth      =   4680
   StartUpPosition =   3  'Windows の既定値
   Begin VB.CommandButton cmdShohin 
      Caption         =   "商品マスタ(&S)"
      Height          =   495
      Left            =   240
      TabIndex        =   0
      Top             =   240
      Width           =   1935
   End
   Begin VB.CommandButton cmdZaiko 
      Caption         =   "在庫一覧(&Z)"
      Height          =   495
      Left            =   240
      TabIndex        =   1
      Top             =   840
      Width           =   1935
   End
   Begin VB.CommandButton cmdEnd 
      Caption         =   "終了(&X)"
      Height          =   495
      Left            =   240
      TabIndex        =   2
      Top             =   1440
      Width           =   1935
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

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
