VERSION 5.00
Begin VB.Form frmUriage 
   Caption         =   "ì˙åvï\"
   ClientHeight    =   3195
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   4680
   BeginProperty Font 
      Name            =   "ÇlÇr ÇoÉSÉVÉbÉN"
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
   StartUpPosition =   3  'Windows ÇÃä˘íËíl
   Begin VB.ListBox lstDaily 
      Height          =   2580
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   4455
   End
End
Attribute VB_Name = "frmUriage"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' ì˙ïtÇ≤Ç∆ÇÃîÑè„Çï\é¶Ç∑ÇÈ
Private Sub Form_Load()
    Dim oUriage As CUriage
    Dim dtDay As Date

    Me.MDIChild = True
    Set oUriage = New CUriage
    For dtDay = DateSerial(Year(Date), Month(Date), 1) To Date
        lstDaily.AddItem Format$(dtDay, "mm/dd") & "  " & _
                         Format$(oUriage.DayTotal(dtDay), "#,##0") & "â~"
    Next dtDay
End Sub
