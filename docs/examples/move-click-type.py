"""Drives the mouse and the keyboard through the automation component of 蓝豆键盘鼠标模拟器
(registered by every start of the program, or by "regsvr32 qdauto.dll"), with pywin32.

    python move-click-type.py [X Y [TEXT]]

Moves the cursor, clicks, and types the text into the window under the cursor."""

import sys

import win32com.client
import win32gui

x, y = (int(sys.argv[1]), int(sys.argv[2])) if len(sys.argv) >= 3 else (200, 200)
automation = win32com.client.Dispatch("Landou.Automation")
print("MoveTo", automation.MoveTo(x, y))
print("LeftClick", automation.LeftClick())
if len(sys.argv) >= 4:
    print("SendText", automation.SendText(win32gui.WindowFromPoint((x, y)), sys.argv[3]))
print("KeyPressName", automation.KeyPressName("enter"))
