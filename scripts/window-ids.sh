# The numbers and the caption by which the scripts find and drive the main
# window from outside (sourced): one shell variable for every "#define ID…"
# of res/resource.h (IDC_PLAYLIST=1003, IDM_ABOUTBOX=16, …), and CAPTION,
# the main window's caption of player/product_texts.h. Read from the sources
# the program is built from, so that a renumbered control cannot leave a
# script pressing the wrong button.

window_ids_source=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
while read -r _ window_id_name window_id_value; do
  # $(( )) turns 0x0010 and (-1) into plain numbers.
  printf -v "$window_id_name" '%d' "$((window_id_value))"
done < <(grep -E '^#define ID[A-Z0-9_]+ ' "$window_ids_source/res/resource.h")
CAPTION=$(sed -n 's/^#define LUMETTO_MAIN_CAPTION "\(.*\)"$/\1/p' "$window_ids_source/player/product_texts.h")
unset window_ids_source window_id_name window_id_value
if [ -z "${IDC_PLAYLIST:-}" ] || [ -z "$CAPTION" ]; then
  echo "window-ids.sh: no control ids in res/resource.h or no caption in player/product_texts.h" >&2
  return 1
fi
