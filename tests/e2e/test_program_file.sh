# The program is one 32-bit Windows GUI executable that needs no DLL beyond what every
# Windows installation has.
source "$QUILLORA_E2E_LIB"

kind=$(file -b "$QUILLORA_EXE")
echo "$kind"
case "$kind" in
  "PE32 executable (GUI) Intel 80386"*) ;;
  *) fail "not a 32-bit GUI program: $kind" ;;
esac
system="comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll advapi32.dll"
while read -r dll; do
  lower=$(echo "$dll" | tr 'A-Z' 'a-z')
  case " $system " in
    *" $lower "*) echo "imports $dll" ;;
    *) fail "imports $dll, which Windows does not provide" ;;
  esac
done < <(i686-w64-mingw32-objdump -p "$QUILLORA_EXE" | sed -n 's/^\s*DLL Name: //p')
echo "PASS"
