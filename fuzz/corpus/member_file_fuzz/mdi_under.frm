VERSION 5.00
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
