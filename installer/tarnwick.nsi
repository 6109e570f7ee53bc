; Tarnwick-Setup.exe: installs the three programs, the companion CLI and the
; README for the current user, without an administrator prompt. The first
; install makes the first user through the CLI's own `new-user --register`, so
; the rules for the name and the primary password live in one place.
;
; makensis -DOUTFILE=... -DVERSION=1.2.3 -DMIRELUNE=... -DKESLOWE=... -DBRENHOLT=...
;          -DCLI=... -DREADME=... -DICON=... tarnwick.nsi

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Tarnwick"
!define TARNWICK_KEY "Software\Tarnwick"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick"
!define TRAY_CLASS "TARNWICKNTRAY"
; Copy-data code 36 closes the editors (as the toolbar asks before an update);
; WM_USER+102 then ends the tray program itself.
!define CLOSE_EDITORS_CODE 36
!define TRAY_QUIT 0x466
; Every wait for a program to end is bounded: 100 ms steps.
!define CLOSE_WAIT_STEPS 150
!define SETUP_FAILED 2

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tarnwick"
InstallDirRegKey HKCU "${TARNWICK_KEY}" "FilePath"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "LegalCopyright" "${PRODUCT}"

Var HaveUser        ; 1: "RootUser" names an existing folder, which stays current
Var Upgrade         ; 1: the programs are installed in $INSTDIR already
Var UserName        ; as typed
Var RuledName       ; as the CLI keeps it (the user folder's name)
Var Password
Var PasswordAgain
Var DataRoot
Var ProbeCount
Var SetupError      ; empty when the input is accepted
Var RootUser
Var NameField
Var PasswordField
Var AgainField
Var DataField
Var ErrorLabel

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_UNFINISHPAGE_NOAUTOCLOSE

!define MUI_WELCOMEPAGE_TEXT "Setup installs Tarnwick for you alone, in your own programs folder: the Identity Editor, the Passcard Editor, the tray program Brenholt that serves the browser toolbar, and the companion command line.$\r$\n$\r$\nNo administrator rights are needed. If Tarnwick is running, setup closes it first; your cards and settings are kept.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
Page custom UserPageShow UserPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Tarnwick is installed"
!define MUI_FINISHPAGE_TEXT "The tray program Brenholt is running and starts whenever you log on.$\r$\n$\r$\nOpen the Identity Editor and the Passcard Editor from the Start menu (Tarnwick).$\r$\n$\r$\nYour cards are kept in:$\r$\n$RootUser"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Tarnwick is removed"
!define MUI_FINISHPAGE_TEXT "The programs, their shortcuts and their start at logon are removed.$\r$\n$\r$\nYour cards and settings were not touched; they stay in:$\r$\n$RootUser$\r$\n$\r$\nDelete that folder yourself if you no longer need them. Installing Tarnwick again uses them."
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; --- Shared by setup and its uninstaller -------------------------------------

; Sets $1 to 1 when the file exists and cannot be opened for writing: a
; running program holds it. Uses $0.
!macro PROGRAM_FILE_BUSY file
  ${If} ${FileExists} "${file}"
    ClearErrors
    FileOpen $0 "${file}" a
    ${If} ${Errors}
      StrCpy $1 1
    ${Else}
      FileClose $0
    ${EndIf}
  ${EndIf}
!macroend

; Closes the editors and the tray program and waits, bounded, until their
; windows are gone and their files free, so that the files can be replaced
; or deleted. Sets $SetupError.
!macro CLOSE_PROGRAMS_FUNCTION prefix
Function ${prefix}CloseTarnwickPrograms
  Push $0
  Push $1
  Push $2
  StrCpy $SetupError ""
  FindWindow $0 "${TRAY_CLASS}"
  ${If} $0 <> 0
    DetailPrint "Closing the Tarnwick programs"
    ; COPYDATASTRUCT: dwData, cbData and its padding, lpData (no text).
    System::Call "*(p ${CLOSE_EDITORS_CODE}, i 0, i 0, p 0) p .r1"
    SendMessage $0 ${WM_COPYDATA} 0 $1 $2 /TIMEOUT=5000
    System::Free $1
    SendMessage $0 ${TRAY_QUIT} 0 0 $2 /TIMEOUT=5000
  ${EndIf}
  StrCpy $2 0
  ${Do}
    FindWindow $0 "${TRAY_CLASS}"
    ${If} $0 = 0
      FindWindow $0 "Mirelune"
    ${EndIf}
    ${If} $0 = 0
      FindWindow $0 "Keslowe"
    ${EndIf}
    ; A process ends a moment after its window, and until it has ended its
    ; program file can be neither replaced nor deleted.
    StrCpy $1 $0
    ${If} $1 = 0
      !insertmacro PROGRAM_FILE_BUSY "$INSTDIR\Brenholt.exe"
      !insertmacro PROGRAM_FILE_BUSY "$INSTDIR\Mirelune.exe"
      !insertmacro PROGRAM_FILE_BUSY "$INSTDIR\Keslowe.exe"
      !insertmacro PROGRAM_FILE_BUSY "$INSTDIR\tarnwick.exe"
    ${EndIf}
    ${IfThen} $1 = 0 ${|} ${Break} ${|}
    ${If} $2 >= ${CLOSE_WAIT_STEPS}
      StrCpy $SetupError "A Tarnwick program did not close within 15 seconds. Close the tray program Brenholt, both editors and any tarnwick.exe, then run this again."
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $2 $2 + 1
  ${Loop}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_PROGRAMS_FUNCTION ""
!insertmacro CLOSE_PROGRAMS_FUNCTION "un."

; --- Setup -----------------------------------------------------------------------

; Quotes one argument so that the C runtime's command-line split gives it back
; unchanged: backslashes are doubled only before a quote or the closing quote.
Function QuoteArgument
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $1 '"'
  StrCpy $2 0
  StrCpy $4 ""
  ${Do}
    StrCpy $3 $0 1 $2
    ${IfThen} $3 == "" ${|} ${Break} ${|}
    ${If} $3 == "\"
      StrCpy $4 "$4\"
    ${ElseIf} $3 == '"'
      StrCpy $1 '$1$4$4\"'
      StrCpy $4 ""
    ${Else}
      StrCpy $1 "$1$4$3"
      StrCpy $4 ""
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  StrCpy $0 '$1$4$4"'
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

!macro QUOTE out text
  Push "${text}"
  Call QuoteArgument
  Pop ${out}
!macroend

; The CLI's message without its program prefix and usage text.
Function CleanCliMessage
  Exch $0
  Push $1
  Push $2
  StrCpy $1 $0 19
  ${If} $1 == "tarnwick new-user: "
    StrCpy $0 $0 "" 19
  ${EndIf}
  StrCpy $2 0
  ${Do}
    StrCpy $1 $0 1 $2
    ${IfThen} $1 == "" ${|} ${Break} ${|}
    ${If} $1 == "$\r"
    ${OrIf} $1 == "$\n"
      StrCpy $0 $0 $2
      ${Break}
    ${EndIf}
    StrCpy $1 $0 8 $2
    ${If} $1 == " (usage:"
      StrCpy $0 $0 $2
      ${Break}
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Checks $UserName, $Password and $DataRoot: the CLI applies its own rules to a
; user made in a scratch folder, then the data folder must take a new user
; folder of that name. Sets $SetupError (empty when accepted) and $RuledName.
Function ValidateNewUser
  Push $0
  Push $1
  Push $2
  Push $3
  StrCpy $SetupError ""
  StrCpy $RuledName ""
  StrCpy $0 $DataRoot 2 1
  StrCpy $1 $DataRoot 2
  ${If} $0 != ":\"
  ${AndIf} $1 != "\\"
    StrCpy $SetupError "The data folder must be a full path, such as $APPDATA\Tarnwick."
    Goto done
  ${EndIf}

  IntOp $ProbeCount $ProbeCount + 1
  StrCpy $3 "$PLUGINSDIR\probe$ProbeCount"
  !insertmacro QUOTE $0 "$3"
  !insertmacro QUOTE $1 "$UserName"
  !insertmacro QUOTE $2 "$Password"
  nsExec::ExecToStack '"$PLUGINSDIR\tarnwick.exe" new-user $0 $1 $2'
  Pop $0
  Pop $1
  ${If} $0 == 2
    ; The CLI refuses a name as a usage error.
    StrCpy $SetupError "Choose another name: Windows cannot keep it as a folder name. It must not be empty nor hold \ / : * ? $\" < > |."
    Goto done
  ${ElseIf} $0 != 0
    Push $1
    Call CleanCliMessage
    Pop $SetupError
    ${If} $SetupError == ""
      StrCpy $SetupError "The name or the password was refused ($0)."
    ${EndIf}
    Goto done
  ${EndIf}
  ; The folder the CLI made bears the name as the rule keeps it.
  FindFirst $0 $1 "$3\*"
  ${Do}
    ${If} $1 != "."
    ${AndIf} $1 != ".."
      ${Break}
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
  RMDir /r "$3"
  ${If} $1 == ""
    StrCpy $SetupError "The name could not be checked."
    Goto done
  ${EndIf}
  StrCpy $RuledName $1

  ${If} ${FileExists} "$DataRoot\$RuledName"
    StrCpy $SetupError "A user named $RuledName exists already in $DataRoot. Choose another name or data folder."
    Goto done
  ${EndIf}
  ; The data folder must take a file; a folder made only to try is removed.
  StrCpy $2 0
  ${IfNot} ${FileExists} "$DataRoot\*.*"
    StrCpy $2 1
    ClearErrors
    CreateDirectory "$DataRoot"
  ${EndIf}
  ClearErrors
  FileOpen $0 "$DataRoot\tarnwick-setup.tmp" w
  ${If} ${Errors}
    StrCpy $SetupError "The data folder $DataRoot cannot be written. Choose another folder."
  ${Else}
    FileClose $0
    Delete "$DataRoot\tarnwick-setup.tmp"
  ${EndIf}
  ${If} $2 = 1
    RMDir "$DataRoot"
  ${EndIf}
done:
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

Function .onInit
  StrCpy $HaveUser 0
  StrCpy $Upgrade 0
  StrCpy $ProbeCount 0
  ReadRegStr $RootUser HKCU "${TARNWICK_KEY}" "RootUser"
  ${If} $RootUser != ""
  ${AndIf} ${FileExists} "$RootUser\*.*"
    StrCpy $HaveUser 1
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Brenholt.exe"
    StrCpy $Upgrade 1
  ${EndIf}
  StrCpy $DataRoot "$APPDATA\Tarnwick"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/USER=" $1
  ${IfNot} ${Errors}
    StrCpy $UserName $1
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/PASSWORD=" $1
  ${IfNot} ${Errors}
    StrCpy $Password $1
    StrCpy $PasswordAgain $1
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/DATA=" $1
  ${IfNot} ${Errors}
    StrCpy $DataRoot $1
  ${EndIf}
  ; The scratch copy of the CLI that checks the new user's name and password.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\tarnwick.exe" "${CLI}"
FunctionEnd

Function SkipOnUpgrade
  ${IfThen} $Upgrade = 1 ${|} Abort ${|}
FunctionEnd

Function UserPageShow
  ${IfThen} $HaveUser = 1 ${|} Abort ${|}
  !insertmacro MUI_HEADER_TEXT "Your Tarnwick user" "Tarnwick keeps your cards in a user folder of their own."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 34u "The name becomes the user folder's name: any name Windows can keep as a folder name, without \ / : * ? $\" < > | (leading spaces are dropped). The primary password locks protected cards; it is exactly 8 characters and cannot be recovered, so keep it safe."
  Pop $0
  ${NSD_CreateLabel} 0 40u 80u 12u "&Name:"
  Pop $0
  ${NSD_CreateText} 85u 38u 120u 12u "$UserName"
  Pop $NameField
  ${NSD_CreateLabel} 0 56u 80u 12u "&Primary password:"
  Pop $0
  ${NSD_CreatePassword} 85u 54u 120u 12u "$Password"
  Pop $PasswordField
  ${NSD_Edit_SetTextLimit} $PasswordField 8
  ${NSD_CreateLabel} 210u 56u 90u 12u "exactly 8 characters"
  Pop $0
  ${NSD_CreateLabel} 0 72u 80u 12u "&Type it again:"
  Pop $0
  ${NSD_CreatePassword} 85u 70u 120u 12u "$PasswordAgain"
  Pop $AgainField
  ${NSD_Edit_SetTextLimit} $AgainField 8
  ${NSD_CreateLabel} 0 88u 80u 12u "&Data folder:"
  Pop $0
  ${NSD_CreateText} 85u 86u 150u 12u "$DataRoot"
  Pop $DataField
  ${NSD_CreateBrowseButton} 240u 85u 50u 14u "&Browse..."
  Pop $0
  ${NSD_OnClick} $0 BrowseDataFolder
  ${NSD_CreateLabel} 0 106u 100% 30u ""
  Pop $ErrorLabel
  SetCtlColors $ErrorLabel 0xC00000 transparent
  ${NSD_SetFocus} $NameField
  nsDialogs::Show
FunctionEnd

Function BrowseDataFolder
  ${NSD_GetText} $DataField $0
  nsDialogs::SelectFolderDialog "Choose the folder that holds Tarnwick's users" "$0"
  Pop $0
  ${If} $0 != "error"
    ${NSD_SetText} $DataField "$0"
  ${EndIf}
FunctionEnd

Function UserPageLeave
  ${NSD_GetText} $NameField $UserName
  ${NSD_GetText} $PasswordField $Password
  ${NSD_GetText} $AgainField $PasswordAgain
  ${NSD_GetText} $DataField $DataRoot
  ${If} $Password S!= $PasswordAgain
    StrCpy $SetupError "The two passwords differ. Type the same 8 characters twice."
  ${Else}
    Call ValidateNewUser
  ${EndIf}
  ${If} $SetupError != ""
    ; Hidden while it changes, so that its transparent background is repainted.
    ShowWindow $ErrorLabel ${SW_HIDE}
    ${NSD_SetText} $ErrorLabel "$SetupError"
    ShowWindow $ErrorLabel ${SW_SHOW}
    Abort
  ${EndIf}
FunctionEnd

; Stops a first install that went wrong, removing what it copied; an upgrade
; keeps the programs it had.
!macro FAIL_SETUP message
  StrCpy $SetupError "${message}"
  Call FailSetup
!macroend

Function FailSetup
  DetailPrint "$SetupError"
  ${If} $Upgrade = 0
    Call RemovePrograms
    RMDir "$INSTDIR"
  ${EndIf}
  MessageBox MB_ICONSTOP|MB_OK "$SetupError" /SD IDOK
  SetErrorLevel ${SETUP_FAILED}
  Abort
FunctionEnd

!macro REMOVE_PROGRAMS_FUNCTION prefix
Function ${prefix}RemovePrograms
  Delete "$INSTDIR\Mirelune.exe"
  Delete "$INSTDIR\Keslowe.exe"
  Delete "$INSTDIR\Brenholt.exe"
  Delete "$INSTDIR\tarnwick.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\Uninstall.exe"
FunctionEnd
!macroend
!insertmacro REMOVE_PROGRAMS_FUNCTION ""
!insertmacro REMOVE_PROGRAMS_FUNCTION "un."

Section "Tarnwick" SecMain
  SectionIn RO
  ${If} $HaveUser = 0
  ${AndIf} ${Silent}
    ${If} $UserName == ""
    ${OrIf} $Password == ""
      !insertmacro FAIL_SETUP "A first install needs /USER=NAME and /PASSWORD=PW."
    ${EndIf}
    Call ValidateNewUser
    ${If} $SetupError != ""
      !insertmacro FAIL_SETUP "$SetupError"
    ${EndIf}
  ${EndIf}

  Call CloseTarnwickPrograms
  ${If} $SetupError != ""
    !insertmacro FAIL_SETUP "$SetupError"
  ${EndIf}

  SetOutPath "$INSTDIR"
  ClearErrors
  File "/oname=Mirelune.exe" "${MIRELUNE}"
  File "/oname=Keslowe.exe" "${KESLOWE}"
  File "/oname=Brenholt.exe" "${BRENHOLT}"
  File "/oname=tarnwick.exe" "${CLI}"
  File "/oname=README.md" "${README}"
  ${If} ${Errors}
    !insertmacro FAIL_SETUP "The programs could not be copied to $INSTDIR."
  ${EndIf}

  ${If} $HaveUser = 0
    DetailPrint "Making the user $RuledName in $DataRoot"
    !insertmacro QUOTE $0 "$DataRoot"
    !insertmacro QUOTE $1 "$UserName"
    !insertmacro QUOTE $2 "$Password"
    !insertmacro QUOTE $3 "$INSTDIR"
    nsExec::ExecToStack '"$INSTDIR\tarnwick.exe" new-user $0 $1 $2 --register --program-folder $3'
    Pop $0
    Pop $1
    ${If} $0 != 0
      Push $1
      Call CleanCliMessage
      Pop $1
      !insertmacro FAIL_SETUP "The user could not be made: $1"
    ${EndIf}
    ReadRegStr $RootUser HKCU "${TARNWICK_KEY}" "RootUser"
  ${Else}
    DetailPrint "Keeping the user $RootUser"
    ClearErrors
    WriteRegStr HKCU "${TARNWICK_KEY}" "FilePath" "$INSTDIR"
    ${If} ${Errors}
      !insertmacro FAIL_SETUP "The registry could not be written."
    ${EndIf}
  ${EndIf}

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Tarnwick"
  CreateShortcut "$SMPROGRAMS\Tarnwick\Identity Editor.lnk" "$INSTDIR\Mirelune.exe"
  CreateShortcut "$SMPROGRAMS\Tarnwick\Passcard Editor.lnk" "$INSTDIR\Keslowe.exe"
  WriteRegStr HKCU "${RUN_KEY}" "Tarnwick" '"$INSTDIR\Brenholt.exe"'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Brenholt.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  DetailPrint "Starting the tray program"
  Exec '"$INSTDIR\Brenholt.exe"'
SectionEnd

; --- Uninstaller ---------------------------------------------------------------

Function un.onInit
  ReadRegStr $RootUser HKCU "${TARNWICK_KEY}" "RootUser"
  ${If} $RootUser == ""
    StrCpy $RootUser "$APPDATA\Tarnwick"
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseTarnwickPrograms
  ${If} $SetupError != ""
    DetailPrint "$SetupError"
    MessageBox MB_ICONSTOP|MB_OK "$SetupError" /SD IDOK
    SetErrorLevel ${SETUP_FAILED}
    Abort
  ${EndIf}
  Call un.RemovePrograms
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tarnwick\Identity Editor.lnk"
  Delete "$SMPROGRAMS\Tarnwick\Passcard Editor.lnk"
  RMDir "$SMPROGRAMS\Tarnwick"
  DeleteRegValue HKCU "${RUN_KEY}" "Tarnwick"
  DeleteRegValue HKCU "${TARNWICK_KEY}" "FilePath"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DetailPrint "Your cards and settings stay in $RootUser"
SectionEnd
