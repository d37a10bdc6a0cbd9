# Drives the mouse and the keyboard through the automation component of 蓝豆键盘鼠标模拟器
# (registered by every start of the program, or by "regsvr32 qdauto.dll").
#   powershell -ExecutionPolicy Bypass -File move-click-type.ps1 [-X 200] [-Y 200] [-Text "hello"]
# Moves the cursor, clicks, and types the text into the window under the cursor.
param([int]$X = 200, [int]$Y = 200, [string]$Text = "")

Add-Type -Namespace Landou -Name Native -MemberDefinition @'
[DllImport("user32.dll")] public static extern IntPtr WindowFromPoint(System.Drawing.Point point);
'@ -ReferencedAssemblies System.Drawing

$automation = New-Object -ComObject Landou.Automation
"MoveTo " + $automation.MoveTo($X, $Y)
"LeftClick " + $automation.LeftClick()
if ($Text) {
    $window = [Landou.Native]::WindowFromPoint((New-Object System.Drawing.Point $X, $Y))
    "SendText " + $automation.SendText([int]$window, $Text)
}
"KeyPressName " + $automation.KeyPressName("enter")
