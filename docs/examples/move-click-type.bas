Attribute VB_Name = "LandouAutomation"
' Drives the mouse and the keyboard through the automation component of the Landou keyboard and
' mouse tool, from the VBA of Excel or WPS: 32-bit and 64-bit Office alike, since every start of
' the program registers the component for both kinds of program. (ASCII only: the VBA editor
' reads an imported file in the system's code page.)
'   In the VBA editor (Alt+F11): File > Import File..., this file; then run MoveClickType (F5).
' Opens Notepad, moves the cursor to 200, 200 and clicks there, types "Hello, " and two Chinese
' characters (world) into Notepad and presses Enter; each method returns 1 when it succeeded, listed in the Immediate window (Ctrl+G).
Option Explicit

#If VBA7 Then
Private Declare PtrSafe Function FindWindowW Lib "user32" (ByVal className As LongPtr, ByVal windowName As LongPtr) As LongPtr
Private Declare PtrSafe Function FindWindowExW Lib "user32" (ByVal parent As LongPtr, ByVal after As LongPtr, _
    ByVal className As LongPtr, ByVal windowName As LongPtr) As LongPtr
#Else
Private Declare Function FindWindowW Lib "user32" (ByVal className As Long, ByVal windowName As Long) As Long
Private Declare Function FindWindowExW Lib "user32" (ByVal parent As Long, ByVal after As Long, _
    ByVal className As Long, ByVal windowName As Long) As Long
#End If

Public Sub MoveClickType()
    Dim automation As Object, notepad As Variant, edit As Variant, started As Single
    Set automation = CreateObject("Landou.Automation")

    Shell "notepad.exe", vbNormalFocus
    started = Timer
    Do
        DoEvents
        notepad = FindWindowW(StrPtr("Notepad"), 0)
    Loop While notepad = 0 And Timer - started < 5
    If notepad = 0 Then
        MsgBox "Notepad did not open."
        Exit Sub
    End If
    edit = FindWindowExW(notepad, 0, StrPtr("Edit"), 0)

    Debug.Print "MoveTo "; automation.MoveTo(200, 200)
    Debug.Print "LeftClick "; automation.LeftClick()
    ' Window handles fit in 32 bits, also in a 64-bit Office.
    Debug.Print "SendText "; automation.SendText(CLng(edit), "Hello, " & ChrW(&H4E16) & ChrW(&H754C))
    Debug.Print "KeyPressName "; automation.KeyPressName("enter")
End Sub
