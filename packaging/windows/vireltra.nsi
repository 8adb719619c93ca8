; The Windows installer, in French: for every user of the machine (Program Files, administrator
; rights) or for the current user alone (no rights needed), a Start-menu entry, an uninstaller
; listed in "Applications et fonctionnalités", .C13 and .E36 files opening in Vireltra.
; Silent for deployment tools: setup.exe /S [/AllUsers | /CurrentUser] [/D=C:\folder]
; Given by scripts/windows-package: VERSION, PORTABLE (the folder installed), FILELIST, OUTFILE.
; A 64-bit installer for a 64-bit program (Wine runs it without its 32-bit half).
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "Vireltra"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vireltra"
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"

!define MUI_ICON "${PORTABLE}\vireltra.ico"
!define MUI_UNICON "${PORTABLE}\vireltra.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vireltra.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; An extension opening in Vireltra: its class, its description, its icon, the open command.
!macro Associate EXT CLASS DESCRIPTION
  WriteRegStr SHCTX "Software\Classes\${EXT}" "" "${CLASS}"
  WriteRegStr SHCTX "Software\Classes\${CLASS}" "" "${DESCRIPTION}"
  WriteRegStr SHCTX "Software\Classes\${CLASS}\DefaultIcon" "" "$INSTDIR\vireltra.ico"
  WriteRegStr SHCTX "Software\Classes\${CLASS}\shell\open\command" "" '"$INSTDIR\vireltra.exe" "%1"'
!macroend

; Only an extension still ours is taken back.
!macro Dissociate EXT CLASS
  ReadRegStr $0 SHCTX "Software\Classes\${EXT}" ""
  StrCmp $0 "${CLASS}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\${EXT}"
  DeleteRegKey SHCTX "Software\Classes\${CLASS}"
!macroend

Section "Vireltra"
  SetOutPath "$INSTDIR"
  File /r "${PORTABLE}\*"
  WriteUninstaller "$INSTDIR\desinstaller.exe"

  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\vireltra.exe" "" "$INSTDIR\vireltra.ico"

  !insertmacro Associate ".C13" "Vireltra.Configuration" "Configuration de titrage Vireltra"
  !insertmacro Associate ".E36" "Vireltra.Exercice" "Exercice Vireltra"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vireltra.ico"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\desinstaller.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\desinstaller.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !include "${FILELIST}"
  Delete "$INSTDIR\desinstaller.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"
  !insertmacro Dissociate ".C13" "Vireltra.Configuration"
  !insertmacro Dissociate ".E36" "Vireltra.Exercice"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
