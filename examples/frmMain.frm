VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "Inventory"
   ClientHeight    =   3195
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   4680
   LinkTopic       =   "Form1"
   ScaleHeight     =   3195
   ScaleWidth      =   4680
   StartUpPosition =   3  'Windows Default
   Begin VB.CommandButton cmdCount 
      Caption         =   "&Count"
      Height          =   375
      Left            =   1680
      TabIndex        =   0
      Top             =   1320
      Width           =   1215
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub cmdCount_Click()
Dim Item As StockItem
Item.Name = "Widget"
AdjustStock Item, 5
MsgBox "Counted " & Item.Name, vbInformation, "Inventory"
End Sub

Private Sub Form_Load()
Caption = "Inventory " & App.Major & "." & App.Minor
End Sub
