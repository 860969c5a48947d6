Attribute VB_Name = "MUriage"
Option Explicit

' Á”ïÅ—¦i“j
Public Const TAX_RATE As Long = 5

Public Function Zeikomi(ByVal cKingaku As Currency) As Currency
    Zeikomi = cKingaku + Int(cKingaku * TAX_RATE / 100)
End Function
