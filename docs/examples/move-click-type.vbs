' Drives the mouse and the keyboard through the automation component of 蓝豆键盘鼠标模拟器
' (registered by every start of the program, or by "regsvr32 qdauto.dll").
'   cscript //nologo move-click-type.vbs [X Y [WINDOW TEXT]]
' Moves the cursor to X, Y (default 200, 200), clicks there, and types TEXT into the window whose
' handle is WINDOW (default: the text goes nowhere). Each method returns 1 when it succeeded.
Option Explicit
Dim automation, x, y
Set automation = CreateObject("Landou.Automation")
x = 200 : y = 200
If WScript.Arguments.Count >= 2 Then
    x = CLng(WScript.Arguments(0)) : y = CLng(WScript.Arguments(1))
End If
WScript.Echo "MoveTo " & automation.MoveTo(x, y)
WScript.Echo "LeftClick " & automation.LeftClick()
If WScript.Arguments.Count >= 4 Then
    WScript.Echo "SendText " & automation.SendText(CLng(WScript.Arguments(2)), WScript.Arguments(3))
End If
WScript.Echo "KeyPressName " & automation.KeyPressName("end")
