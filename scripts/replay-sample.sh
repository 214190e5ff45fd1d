#!/usr/bin/env bash
echo "replay tool not built yet" >&2
exit 1
