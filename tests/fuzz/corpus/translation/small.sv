2
English
Deutsch
en
de
File
Datei
