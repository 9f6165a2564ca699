#!/bin/sh
# The shell user's word count: one word a line, lower case, sorted, counted.
#   tr_sort_uniq.sh FILE
tr -cs 'A-Za-z' '\n' <"$1" | tr 'A-Z' 'a-z' | sort | uniq -c
