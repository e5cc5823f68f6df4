# The one reverse-DNS id that names the desktop entry, the metainfo and the
# icon (packaging/<id>.desktop, <id>.metainfo.xml, <id>.svg). The project has
# no domain of its own yet; example.org stands in for it.
set(KARVO_APP_ID org.example.karvo)
# The sizes of the PNG icons rendered from <id>.svg (scripts/make-icons).
set(KARVO_ICON_SIZES 16 24 32 48 64 128 256)
