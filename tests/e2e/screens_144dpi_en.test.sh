#!/usr/bin/env bash
# Screenshots at 144 DPI in English (see screens_144dpi.sh).
source "$(dirname "$0")/screens_144dpi.sh" en
