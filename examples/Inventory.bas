Attribute VB_Name = "Inventory"
Option Explicit

' Stock levels and re-order rules for the warehouse.
Private Const REORDER_LEVEL As Long = 10

#If Win64 Then
Private Declare PtrSafe Function GetTickCount Lib "kernel32" () As Long
#Else
Private Declare Function GetTickCount Lib "kernel32" () As Long
#End If

Public Type StockItem
    Code As String
    Name As String
    Quantity As Long
End Type

' Returns True when the item must be re-ordered.
Public Function NeedsReorder(ByRef Item As StockItem) As Boolean
If Item.Quantity < REORDER_LEVEL Then
NeedsReorder = True
End If
End Function

Public Sub AdjustStock(ByRef Item As StockItem, _
                      ByVal Delta As Long, _
                      Optional ByVal Reason As String = "count")
Dim lOld As Long
lOld = Item.Quantity
Item.Quantity = Item.Quantity + Delta
If Item.Quantity < 0 Then Item.Quantity = 0
Select Case Reason
Case "count"
Debug.Print "Counted: " & Item.Name
Case Else
Debug.Print "Adjusted (" & Reason & "): " & Item.Name
End Select
End Sub

#If VBA7 Then
Public Function Elapsed(ByVal StartTick As LongPtr) As LongPtr
#Else
Public Function Elapsed(ByVal StartTick As Long) As Long
#End If
Elapsed = GetTickCount() - StartTick
End Function

Private Sub ReportAll(Items() As StockItem)
Dim i As Long
For i = LBound(Items) To UBound(Items)
If NeedsReorder(Items(i)) Then
Debug.Print "Re-order: " & Items(i).Name & " (""End Sub"" is not the end)"
End If
Next i
End Sub
