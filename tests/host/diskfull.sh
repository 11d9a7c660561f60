# A full disk: a small file system of the test's own (a tmpfs in a private mount namespace,
# mapped as drive F:). Copying, moving, the line-end conversions and the cipher report
# failure, and none reports success for a file it did not write whole. A cipher run that
# fails leaves the file as it was, byte for byte.
source "$(dirname "$0")/lib.sh"

full=$WORK/full part=$WORK/part
mkdir -p "$full" "$part"
head -c 200000 /dev/urandom | tr '\0' 'x' >"$WORK/big.txt"    # 200 kB: more than F: holds
printf 'one\ntwo\r\nthree\n' >"$WORK/small.txt"
in_prefix wineserver -w
ln -s "$full" "$WINEPREFIX/dosdevices/f:"
ln -s "$part" "$WINEPREFIX/dosdevices/g:"
kelmar_at_exit 'kelmar_unmap "$WORK"'
src=$(kelmar_winpath "$WORK")
src=${src//\\//}

# The drive holds 64 kB; a sparse 100 kB file on it reads as zeros, and rewriting it needs
# pages the drive does not have. Drive G: holds 1,280 kB and a 3 MB file whose first 600 kB
# are written: the cipher gets through its first two pieces of 512 kB and fails in the
# third, so the pieces already rewritten are undone.
cat >"$WORK/forms.lsp" <<EOF
(kel_copy "$src/big.txt" "f:/copy.txt")
(kel_move "$src/big.txt" "f:/moved.txt")
(kel_dos2unix "$src/big.txt" "f:/unix.txt")
(kel_unix2dos "$src/big.txt" "f:/dos.txt")
(kel_copy "$src/small.txt" "f:/small.txt")
(kel_encrypt "f:/sparse.bin" "password")
(kel_dos2unix "$src/small.txt" "f:/small-unix.txt")
(kel_encrypt "g:/part.bin" "password")
EOF
(cd "$WORK" && unshare -m sh -c "mount -t tmpfs -o size=64k kelmar-full '$full' &&
    truncate -s 100k '$full/sparse.bin' &&
    mount -t tmpfs -o size=1280k kelmar-part '$part' &&
    head -c 600k /dev/urandom >'$part/part.bin' && truncate -s 3m '$part/part.bin' &&
    sha256sum '$full/sparse.bin' '$part/part.bin' >'$WORK/before' &&
    \"\$0\" --echo '$WORK/forms.lsp' >'$WORK/out' 2>&1; ls -l '$full' >'$WORK/listing'
    sha256sum '$full/sparse.bin' '$part/part.bin' >'$WORK/after'
    cmp -s '$WORK/small.txt' '$full/small.txt' && echo small-copied >>'$WORK/listing'" \
    "$TESTS_DIR/../scripts/lisp")
in_prefix wineserver -w
out=$(tail -n +4 "$WORK/out")
same '=> nil' "$(sed -n 1p <<<"$out")" "kel_copy of 200 kB to a 64 kB drive gives nil"
same '=> nil' "$(sed -n 2p <<<"$out")" "kel_move across drives gives nil"
[ -f "$WORK/big.txt" ]; ok "and the source stays"
same $'Kelmar error: cannot write UNIX destination file.\n=> nil' "$(sed -n 3,4p <<<"$out")" "kel_dos2unix reports the failed write"
same $'Kelmar error: cannot write DOS destination file.\n=> nil' "$(sed -n 5,6p <<<"$out")" "kel_unix2dos reports the failed write"
same '=> nil' "$(sed -n 7p <<<"$out")" "with the drive full, even a small copy gives nil"
same $'Bytes Read\n=> nil' "$(sed -n 8,9p <<<"$out")" "kel_encrypt stops at the write the drive refuses"
same $'Kelmar error: cannot write UNIX destination file.\n=> nil' "$(sed -n 10,11p <<<"$out")" "and so does a small conversion"
! grep -q small-copied "$WORK/listing"; ok "no copy reported as failed is whole by chance"
same $'Bytes Read\n=> nil' "$(sed -n 12,13p <<<"$out")" "kel_encrypt fails in the third piece of a file"
[ -s "$WORK/before" ] && cmp -s "$WORK/before" "$WORK/after"; ok "both files the cipher failed on are as they were"
# What Wine leaves there (a truncated copy, an empty file from the move) is its own.
echo "drive F: afterwards:"
cat "$WORK/listing"

finish
