# Counts the words of a text the way an awk user would: lower-case every line, split
# it at everything that is not a word character, count in an array.
# Prints word TAB count, in no particular order.
#   mawk -f count_words.awk FILE
BEGIN { FS = "[^a-z0-9_'-]+" }
{
  $0 = tolower($0)
  for (i = 1; i <= NF; i++)
    if ($i != "") count[$i]++
}
END { for (word in count) print word "\t" count[word] }
