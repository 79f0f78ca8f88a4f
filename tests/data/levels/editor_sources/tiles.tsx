<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" tiledversion="1.8.2" name="tiles" tilewidth="4" tileheight="4" spacing="1" tilecount="8" columns="4">
 <image source="../gfx/tiles.png" trans="ff00ff" width="19" height="9"/>
</tileset>
