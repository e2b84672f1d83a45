"""The application package: the fonts every screen writes with, the particle and mouse-pointer
pictures, the pop-up's panel and buttons, and the graph of the screen camera, the shared
textures, the pop-up and the pointer."""

import os

# Particle pictures by index (the effects select them by number): (kind, colour, size).
PARTICLES = [
    ("spark", "yellow", 24), ("piece", "cream", 16), ("piece", "orange", 16), ("piece", "sky", 18),
    ("piece", "red", 18), ("piece", "green", 18), ("piece", "lime", 18), ("puff", "cream", 32),
    ("puff", "sky", 32), ("star", "yellow", 28), ("star", "pink", 28), ("puff", "white", 40),
    ("puff", "orange", 24), ("spark", "white", 24), ("spark", "sky", 24), ("puff", "white", 48),
    ("dot", "white", 8), ("streak", "white", 48), ("dot", "white", 8), ("dot", "white", 8),
    ("flake", "white", 20), ("dot", "white", 8), ("piece", "red", 16), ("piece", "orange", 16),
    ("piece", "yellow", 16), ("piece", "green", 16), ("piece", "blue", 16), ("piece", "purple", 16),
    ("star", "cream", 22), ("star", "red", 20), ("star", "green", 20), ("star", "blue", 20),
    ("star", "purple", 20), ("dot", "white", 8), ("spark", "orange", 32), ("bubble", "sky", 28),
    ("bubble", "cream", 28),
]
# Mouse pointer pictures by index: the arrow is 6, the others show what is held.
POINTER = ["green", "sky", "pink", "lime", "orange", "yellow", None, "purple", "cream", "white", "red",
           "night", "green", "blue", "white"]
SYSTEM_FONT_TEXTURES = ["tex_sign_long", "tex_profile1", "tex_profile2", "tex_profile3", "tex_newprofile"]


def particle(tools, kind, colour, size):
    draw = tools.draw
    from PIL import Image, ImageDraw, ImageFilter
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    c = draw.colour(colour)
    if kind == "star":
        return draw.star(size, colour, outline="white", outline_width=1)
    if kind == "piece":
        d.rounded_rectangle((1, size // 4, size - 2, size - size // 4), radius=size // 6, fill=c)
    elif kind == "streak":
        d.ellipse((0, size // 2 - 3, size - 1, size // 2 + 3), fill=c)
    elif kind == "flake":
        for a in range(3):
            import math
            dx, dy = math.cos(a * math.pi / 3) * size / 2.2, math.sin(a * math.pi / 3) * size / 2.2
            d.line((size / 2 - dx, size / 2 - dy, size / 2 + dx, size / 2 + dy), fill=c, width=2)
    elif kind == "bubble":
        d.ellipse((1, 1, size - 2, size - 2), outline=c, width=2)
        d.ellipse((size // 4, size // 4, size // 2, size // 2), fill=(255, 255, 255, 200))
    else:  # spark, puff, dot: soft round blobs
        d.ellipse((size // 4, size // 4, size - size // 4, size - size // 4), fill=c)
        image = image.filter(ImageFilter.GaussianBlur(size / 10))
    return image


def pointer(tools, colour):
    draw = tools.draw
    from PIL import Image, ImageDraw
    image = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    if colour is None:  # the arrow
        d.polygon([(0, 0), (0, 26), (7, 20), (12, 31), (17, 29), (12, 18), (21, 18)], fill=draw.colour("ink"))
        d.polygon([(2, 4), (2, 21), (7, 16), (12, 27), (14, 26), (9, 16), (16, 16)], fill=draw.colour("white"))
        return image
    return draw.badge(28, colour, outline_width=3)


def write_fonts(out, tools):
    fonts = {
        "font_sign": dict(size=44, bold=True, fill="white", stroke="ink", stroke_width=3),
        "font_text": dict(size=28, bold=True, fill="white", stroke="ink", stroke_width=2),
        "font_small": dict(size=18, bold=False, fill="white"),
    }
    for name, options in fonts.items():
        tools.font.rasterise(**options).save(os.path.join(out, name + ".png"), os.path.join(out, name + ".font"))


def write_atlases(out, tools):
    atlas, draw = tools.atlas, tools.draw
    sheet = atlas.pack([atlas.Picture(f"particle{i}", particle(tools, *p)) for i, p in enumerate(PARTICLES)])
    sheet.save(os.path.join(out, "particles.png"), os.path.join(out, "atlas_particles.xml"))
    # The picture's top-left corner is the pointer's tip.
    sheet = atlas.pack([atlas.Picture(f"pointer{i}", pointer(tools, c), anchor=(0, 0)) for i, c in enumerate(POINTER)])
    sheet.save(os.path.join(out, "pointer.png"), os.path.join(out, "atlas_pointer.xml"))
    popup = [
        atlas.Picture("panel", draw.panel(720, 380, "night", radius=36, outline="white", outline_width=6)),
        atlas.Picture("button_yes", draw.panel(240, 84, "green", radius=28)),
        atlas.Picture("button_no", draw.panel(240, 84, "red", radius=28)),
        atlas.Picture("button_other", draw.panel(240, 84, "blue", radius=28)),
        atlas.Picture("button_cancel", draw.badge(64, "red")),
        atlas.Picture("shade", draw.canvas(16, 16, (0, 0, 0, 150))),
    ]
    popup[4].image = draw.centre_on(popup[4].image, draw.label("X", 30, stroke=None))
    sheet = atlas.pack(popup)
    sheet.save(os.path.join(out, "popup.png"), os.path.join(out, "atlas_popup.xml"))


def text(node_id, font, reserved, **attributes):
    extra = "".join(f' {k}="{v}"' for k, v in attributes.items())
    return f'<DisplayText id="{node_id}" fontResourceId="app:{font}" reservedCharacters="{reserved}"{extra}/>'


def write_graph(out):
    system_fonts = "\n".join(
        f'      <FlatTextTexture id="{name}" w="512" h="64" fontId="HelveticaBold" fontSize="40" useAlpha="true" '
        f'pixelFormat="R8_G8_B8_A8" useMipMaps="false" textColor="1,1,1,1" backgroundColor="0,0,0,0"/>'
        for name in SYSTEM_FONT_TEXTURES)
    buttons = []
    # The pop-up places the buttons across (x of the button node); the data gives only the height.
    for number, picture in ((1, 1), (2, 2), (3, 3)):
        buttons.append(f"""
        <Transform id="button{number}_position" posY="-110">
          <Button id="button{number}" sizeX="240" sizeY="84">
            <DisplayPlaneSequence id="button{number}_plane" atlasResourceId="app:atlas_popup" index="{picture}"/>
            <Scale id="button{number}scale">
              <TextureSlot textureId="/app_textures/tex_font_text" slot="0"/>
              {text(f"button_text{number}", "font_text", 16, posY="-26", depthOrder="1")}
              <TextureSlot textureId="/app_textures/tex_popup" slot="0"/>
            </Scale>
          </Button>
        </Transform>""")
    graph = f"""<Graph>
  <Container id="app">
    <PerspectiveCamera id="camera" posZ="200" nearPlane="100" farPlane="2000" fieldOfViewY="400"
                       clearColorBuffer="true" clearDepthBuffer="true" backgroundColor="0.09,0.14,0.28,1"/>
    <Listener id="listener"/>
    <FixedProgram id="program" coloringEnabled="true" textureUnit0Enabled="true"/>
    <Material id="material" programId="program" blendMode="ALPHA" depthBufferMode="NONE" visibleFaces="FRONT_AND_BACK"/>
    <MaterialSlot materialId="material" slot="0"/>
    <Parameters id="parameters_default" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>
    <ParametersSlot parametersId="parameters_default" slot="0"/>
    <Namespace id="app_textures">
      <FlatTexture id="tex_particles" bitmapResourceId="app:img_particles"/>
      <FlatTexture id="tex_pointer" bitmapResourceId="app:img_pointer"/>
      <FlatTexture id="tex_popup" bitmapResourceId="app:img_popup"/>
      <FlatTexture id="tex_font_sign" bitmapResourceId="app:img_font_sign"/>
      <FlatTexture id="tex_font_text" bitmapResourceId="app:img_font_text"/>
      <FlatTexture id="tex_font_small" bitmapResourceId="app:img_font_small"/>
    </Namespace>
    <Namespace id="systemfont_textures">
{system_fonts}
    </Namespace>
    <Namespace id="popup" activeAndVisible="false">
      <Timeline id="timeline" startTime="0" endTime="10.25">
        <Transform id="panel_position" depthOrder="900000">
          <TextureSlot textureId="/app_textures/tex_popup" slot="0"/>
          <DisplayPlaneSequence id="shade" atlasResourceId="app:atlas_popup" index="5" scaleFactorX="80" scaleFactorY="50"/>
          <DisplayPlaneSequence id="panel" atlasResourceId="app:atlas_popup" index="0" depthOrder="1"/>
          <!-- All of the pop-up lies in one plane: only the depth order keeps the panel under what sits on it. -->
          <Transform id="panel_contents" depthOrder="10">
          <Transform id="cancel_position" posX="340" posY="170">
            <Button id="button_cancel" sizeX="64" sizeY="64" shape="ELLIPSE">
              <DisplayPlaneSequence id="cancel_plane" atlasResourceId="app:atlas_popup" index="4"/>
            </Button>
          </Transform>
          {''.join(buttons)}
          <TextureSlot textureId="/app_textures/tex_font_text" slot="0"/>
          <Scale id="message_scale">
            {text("message", "font_text", 120, posY="82", containerWidth="640")}
          </Scale>
          <TextureSlot textureId="/app_textures/tex_font_small" slot="0"/>
          {text("message_small", "font_small", 160, posY="10", containerWidth="640")}
          </Transform>
        </Transform>
      </Timeline>
    </Namespace>
    <Namespace id="mouse">
      <TextureSlot textureId="/app_textures/tex_pointer" slot="0"/>
      <DisplayPlaneSequence id="pointer" atlasResourceId="app:atlas_pointer" index="6" posZ="0.0001" depthOrder="990000"/>
    </Namespace>
  </Container>
</Graph>
"""
    with open(os.path.join(out, "graph_app.xml"), "w", encoding="utf-8") as f:
        f.write(graph)


def generate(out, source, tools):
    write_fonts(out, tools)
    write_atlases(out, tools)
    write_graph(out)
