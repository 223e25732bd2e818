#!/usr/bin/env bash
# tvk.exe under Wine and this machine's tvk, given the same files and the same entry time (SOURCE_DATE_EPOCH), write
# the same bytes: containers of pictures (the BMP suite, a JPEG and a TGA that is converted on the way in) and of
# sounds (WAVs made here) at every level, made by new and add, and made by build from the manifest and files that
# dump gives (the same on both). list prints the same text, verify passes on both programs' containers, extract
# gives back the same files. Without a native tvk the test is skipped (exit 77), not passed.
# Usage: windows_identity_test.sh TVK_EXE NATIVE_TVK SOURCE_DIR WORK_DIR WINE_RUNNER...
set -uo pipefail
tvk_exe=$1 native_tvk=$2 source_dir=$3 work=$4
shift 4
wine_runner=("$@")

if [ -z "$native_tvk" ] || [ ! -x "$native_tvk" ]; then
  echo "Skipped: no tvk of this machine to compare with (configure with -DTOVRIK_NATIVE_TVK=path/to/bin/tvk;" \
    "make windows-test does)"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work/input" "$work/linux" "$work/windows"
cd "$work/input"

pictures=("$source_dir"/tests/data/bmpsuite/g/*.bmp "$source_dir"/tests/data/jpeg/testorig.jpg)
cp "${pictures[@]}" .
python3 - <<'PYTHON'
import math, struct, wave

# Two sounds: mono 16-bit at 22050 Hz and stereo 8-bit at 11025 Hz, a tenth of a second of 440 Hz.
for name, rate, channels, width in (("tone-mono.wav", 22050, 1, 2), ("tone-stereo.wav", 11025, 2, 1)):
    frames = bytearray()
    for i in range(rate // 10):
        value = math.sin(2 * math.pi * 440 * i / rate)
        sample = struct.pack("<h", int(value * 20000)) if width == 2 else bytes([int(128 + value * 100)])
        frames += sample * channels
    with wave.open(name, "wb") as out:
        out.setnchannels(channels)
        out.setsampwidth(width)
        out.setframerate(rate)
        out.writeframes(bytes(frames))

# A 32-bit TGA, 12 x 6, bottom-up: a gradient with a transparent left third, so the conversion picks a key colour.
width, height = 12, 6
header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, 32, 8)
pixels = bytearray()
for y in range(height):
    for x in range(width):
        pixels += bytes([x * 20, y * 40, 200 - x * 10, 0 if x < 4 else 255])
with open("sprite.tga", "wb") as out:
    out.write(header + pixels)
PYTHON
pictures=(*.bmp *.jpg)
half=$(( ${#pictures[@]} / 2 ))
sounds=(tone-mono.wav tone-stereo.wav)

export SOURCE_DATE_EPOCH=1700000001 TOVRIK_LANG=en
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run SIDE ARGUMENT...: the side's tvk in its folder, with a home of its own; output in SIDE.out and SIDE.err.
run() {
  local side=$1
  shift
  if [ "$side" = linux ]; then
    (cd "$work/linux" && TOVRIK_HOME="$work/linux/home" "$native_tvk" "$@") >"$work/$side.out" 2>"$work/$side.err"
  else
    local home="Z:${work//\//\\}\\windows\\home"
    (cd "$work/windows" && TOVRIK_HOME="$home" "${wine_runner[@]}" "$tvk_exe" "$@") >"$work/$side.out" 2>"$work/$side.err"
  fi
}

# both ARGUMENT...: the same command on both sides; both must succeed.
both() {
  local side
  for side in linux windows; do
    if ! run "$side" "$@"; then
      fail "$side: tvk $* failed: $(cat "$work/$side.err")"
      return 1
    fi
  done
}

# same WHAT NAME: the file or folder NAME is the same on both sides.
same() {
  if diff -r "$work/linux/$2" "$work/windows/$2" >/dev/null; then
    echo "same $1: $2"
  else
    fail "not the same $1: $(diff -r "$work/linux/$2" "$work/windows/$2" 2>&1 | head -20)"
  fi
}

# Both programs read the shipped extension lists and level from a home of their own.
mkdir -p "$work/linux/home" "$work/windows/home"
cp "$source_dir/data/config.ini" "$work/linux/home/"
cp "$source_dir/data/config.ini" "$work/windows/home/"
inputs=()
for file in "${pictures[@]}"; do inputs+=("../input/$file"); done
first_half=("${inputs[@]:0:half}")
second_half=("${inputs[@]:half}")

for level in 0 1 2 3; do
  image_pack=images-$level.tvk sound_pack=sounds-$level.tvk
  both new --images --level "$level" -o "$image_pack" "${first_half[@]}" &&
    both add "$image_pack" --level "$level" "${second_half[@]}" &&
    both add "$image_pack" --level "$level" --force ../input/sprite.tga &&
    both new --sounds --level "$level" -o "$sound_pack" "${sounds[@]/#/../input/}" || continue
  for container in "$image_pack" "$sound_pack"; do
    same bytes "$container"
    both dump "$container" -d "dump-$container" && same dump "dump-$container" &&
      both build "dump-$container/${container%.tvk}.toml" -o "built-$container" && same bytes "built-$container"
  done
done

for container in images-3.tvk sounds-3.tvk; do
  both list --long "$container" || continue
  cp "$work/linux.out" "$work/linux/list-$container.txt"
  cp "$work/windows.out" "$work/windows/list-$container.txt"
  same list "list-$container.txt"
  # Each program verifies its own container and the other's.
  cp "$work/linux/$container" "$work/windows/other-$container"
  cp "$work/windows/$container" "$work/linux/other-$container"
  both verify "$container" && both verify "other-$container" && echo "verified: $container on both, both ways"
  both extract "$container" -d "extracted-$container" && same extract "extracted-$container"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures difference(s) between tvk.exe and $native_tvk"
  exit 1
fi
