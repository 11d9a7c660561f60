# A full disk: a small file system of the test's own (a tmpfs in a private mount namespace,
# mapped as drive F:). Copying, moving, the line-end conversions and the cipher report
# failure, and none reports success for a file it did not write whole. A failed copy or
# conversion leaves its destination as it was and nothing beside it; a cipher run that
# fails leaves the file as it was, byte for byte.
source "$(dirname "$0")/lib.sh"

full=$WORK/full part=$WORK/part
mkdir -p "$full" "$part"
head -c 200000 /dev/urandom | tr '\0' 'x' >"$WORK/big.txt"    # 200 kB: more than F: holds
cp "$WORK/big.txt" "$WORK/readonly.txt" && chmod 444 "$WORK/readonly.txt"  # a copy takes the attribute
printf 'one\ntwo\r\nthree\n' >"$WORK/small.txt"
in_prefix wineserver -w
ln -s "$full" "$WINEPREFIX/dosdevices/f:"
ln -s "$part" "$WINEPREFIX/dosdevices/g:"
kelmar_at_exit 'kelmar_unmap "$WORK"'
src=$(kelmar_winpath "$WORK")
src=${src//\\//}

# The drive holds 64 kB, two files of 8 kB already on it; a sparse 100 kB file on it reads
# as zeros, and rewriting it needs pages the drive does not have. Drive G: holds 1,280 kB and
# a 3 MB file whose first 600 kB are written: the cipher gets through its first two pieces of
# 512 kB and fails in the third, so the pieces already rewritten are undone. The first run
# finds room for part of each copy; then the drive is filled, and the second finds none.
cat >"$WORK/room.lsp" <<EOF
(kel_copy "$src/big.txt" "f:/copy.txt")
(kel_move "$src/big.txt" "f:/moved.txt")
(kel_dos2unix "$src/big.txt" "f:/unix.txt")
(kel_unix2dos "$src/big.txt" "f:/dos.txt")
(kel_copy "$src/big.txt" "f:/keep.txt")
(kel_dos2unix "$src/big.txt" "f:/keep-unix.txt")
(kel_unix2dos "$src/small.txt" "f:/over.txt")
(kel_copy "$src/readonly.txt" "f:/ro-copy.txt")
(kel_copy "$src/readonly.txt" "f:/keep.txt")
(kel_move "$src/readonly.txt" "f:/ro-moved.txt")
EOF
cat >"$WORK/full.lsp" <<EOF
(kel_copy "$src/small.txt" "f:/small.txt")
(kel_encrypt "f:/sparse.bin" "password")
(kel_dos2unix "$src/small.txt" "f:/small-unix.txt")
(kel_encrypt "g:/part.bin" "password")
(kel_copy "$src/small.txt" "f:/keep.txt")
EOF
head -c 8k /dev/urandom >"$WORK/keep.txt"
printf 'old text\n' >"$WORK/over.txt"
# Every step inside depends on the mounts: nothing is written outside the test's drives.
cat >"$WORK/inside.sh" <<'EOF'
set -e
w=$1 tests=$2 full=$1/full part=$1/part
run() { "$tests/tools/host-run" "$w/out-$1" "$tests/../scripts/lisp" --echo "$w/$1.lsp" || true; }
mount -t tmpfs -o size=64k kelmar-full "$full"
truncate -s 100k "$full/sparse.bin"; cp "$w/keep.txt" "$w/over.txt" "$full/"
cp "$w/keep.txt" "$full/keep-unix.txt"
mount -t tmpfs -o size=1280k kelmar-part "$part"
head -c 600k /dev/urandom >"$part/part.bin"; truncate -s 3m "$part/part.bin"
sha256sum "$full/sparse.bin" "$part/part.bin" >"$w/before"
run room; ls "$full" >"$w/listing-room"
cp "$full/over.txt" "$w/over-after.txt"; cat /dev/zero >"$full/filler" 2>/dev/null || true
run full; ls "$full" >"$w/listing"
sha256sum "$full/sparse.bin" "$part/part.bin" >"$w/after"
! cmp -s "$w/keep.txt" "$full/keep.txt" || ! cmp -s "$w/keep.txt" "$full/keep-unix.txt" || echo kept >>"$w/listing"
! cmp -s "$w/small.txt" "$full/small.txt" || echo small-copied >>"$w/listing"
EOF
(cd "$WORK" && unshare -m sh "$WORK/inside.sh" "$WORK" "$TESTS_DIR")
in_prefix wineserver -w
out=$(tail -n +4 "$WORK/out-room")
same '=> nil' "$(sed -n 1p <<<"$out")" "kel_copy of 200 kB to a 64 kB drive gives nil"
same '=> nil' "$(sed -n 2p <<<"$out")" "kel_move across drives gives nil"
[ -f "$WORK/big.txt" ]; ok "and the source stays"
same $'Kelmar error: cannot write UNIX destination file.\n=> nil' "$(sed -n 3,4p <<<"$out")" "kel_dos2unix reports the failed write"
same $'Kelmar error: cannot write DOS destination file.\n=> nil' "$(sed -n 5,6p <<<"$out")" "kel_unix2dos reports the failed write"
same '=> nil' "$(sed -n 7p <<<"$out")" "kel_copy over a file gives nil"
same $'Kelmar error: cannot write UNIX destination file.\n=> nil' "$(sed -n 8,9p <<<"$out")" "and so does kel_dos2unix over one"
same '=> "f:\\over.txt"' "$(sed -n 10p <<<"$out" | tr A-Z a-z)" "a conversion that fits replaces its destination"
same $'one\r\ntwo\r\r\nthree\r' "$(cat "$WORK/over-after.txt")" "with the whole converted text"
same $'=> nil\n=> nil\n=> nil' "$(sed -n 11,13p <<<"$out")" "copies and a move of a read-only file give nil"
same $'keep-unix.txt\nkeep.txt\nover.txt\nsparse.bin' "$(cat "$WORK/listing-room")" "failed copies leave nothing on the drive, not even a read-only part"
out=$(tail -n +4 "$WORK/out-full")
same '=> nil' "$(sed -n 1p <<<"$out")" "with the drive full, even a small copy gives nil"
same $'Bytes Read\n=> nil' "$(sed -n 2,3p <<<"$out")" "kel_encrypt stops at the write the drive refuses"
same $'Kelmar error: cannot write UNIX destination file.\n=> nil' "$(sed -n 4,5p <<<"$out")" "and so does a small conversion"
! grep -q small-copied "$WORK/listing"; ok "no copy reported as failed is whole by chance"
same $'Bytes Read\n=> nil' "$(sed -n 6,7p <<<"$out")" "kel_encrypt fails in the third piece of a file"
same '=> nil' "$(sed -n 8p <<<"$out")" "a small copy over a file on the full drive gives nil"
grep -q kept "$WORK/listing"; ok "every file a failed copy or conversion aimed at is as it was"
[ -s "$WORK/before" ] && cmp -s "$WORK/before" "$WORK/after"; ok "both files the cipher failed on are as they were"
! grep -q '^~' "$WORK/listing"; ok "no unfinished copy is left beside its destination"
if [ "$failed" -gt 0 ]; then
    for run in room full; do echo "  the host's transcript of $run.lsp:"; sed 's/^/    /' "$WORK/out-$run"; done >&2
fi

# A file is never its own copy or conversion, by the same or another name for it.
cd "$WORK" || exit 1
printf 'a\r\nb\r\n' >self.txt
lisp '(kel_copy "self.txt" "self.txt") (kel_copy "self.txt" "./SELF.TXT") (kel_dos2unix "self.txt" "self.txt")' --echo
same $'=> nil\n=> nil\nKelmar error: cannot open UNIX destination file.\n=> nil' "$(tail -n +4 <<<"$out")" "a file onto itself"
same $'a\r\nb\r' "$(cat self.txt)" "is left as it was"
! ls -A | grep -q '^~'; ok "with nothing left beside it"
finish
