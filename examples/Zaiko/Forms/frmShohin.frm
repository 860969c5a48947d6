VERSION 5.00
Begin VB.Form frmShohin 
   Caption         =   "商品マスタ"
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
   Begin VB.TextBox txtName 
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
   Begin VB.CommandButton cmdSave 
      Caption         =   "登録(&R)"
      Height          =   495
      Left            =   2400
      TabIndex        =   2
      Top             =   1200
      Width           =   1935
   End
   Begin VB.Label lblName 
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
End
Attribute VB_Name = "frmShohin"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

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
