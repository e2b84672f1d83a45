"""The game's pooled objects: the templates that the game screen's containers replicate (animals,
weapons, bees, rocks, clouds, course strips, score pop-ups, ash and ice explosions), their clip
animations, and their pictures.

generate(out, source, tools, package) is called by the generate.py of "game_1280" (pictures,
atlases and the graph holding their textures, "/pool_textures") and of "game_common" (templates
and animations). Both sides draw and pack the same pictures, so atlas indices and plane texture
coordinates agree; packing is deterministic.

Every template's top node is "<name>{replication}" and starts switched off; the code binds the
nodes named here (see the game's play classes).
"""

import os

from vorncontent import atlas

import game_pools_pictures as pictures

# Picture sheets: resource stem, picture rows.
SHEETS = {
    "animals": pictures.animal_pictures,
    "weapons": pictures.weapon_pictures,
    "obstacles": pictures.obstacle_pictures,
    "clouds": pictures.cloud_pictures,
    "effects": pictures.effect_pictures,
}

# Pool templates: resource id, file, writer (filled below).
TEMPLATES = []

# Clip times of the animal's sequence timeline.
IDLE_END = 1.18
JOKER_END = 1.57
FLIP = 5.0
TURN = 10.0
FROZEN = 20.0
CHARRED = 100.0

ASH_END = 0.8
ICE_END = 0.6
COURSE_FADE_END = 0.6


class Sheet:
    """A packed picture sheet with lookups by picture name."""

    def __init__(self, stem):
        rows = SHEETS[stem]()
        self.stem = stem
        self.names = [name for name, _ in rows]
        self.packed = atlas.pack([atlas.Picture(name, image) for name, image in rows])
        self.rects = dict(zip(self.names, self.packed.rectangles()))
        self.sizes = {name: image.size for name, image in rows}

    def index(self, name):
        return self.names.index(name)

    def dps(self, name, node_id=None, extra=""):
        ident = f' id="{node_id}"' if node_id else ""
        return (f'<DisplayPlaneSequence{ident} atlasResourceId="game:atlas_pool_{self.stem}" '
                f'index="{self.index(name)}"{extra}/>')

    def plane(self, name, node_id=None, extra=""):
        """A display plane showing one picture of the sheet at its pixel size."""
        u1, v1, u2, v2, *_ = self.rects[name]
        w, h = self.sizes[name]
        ident = f' id="{node_id}"' if node_id else ""
        return (f'<DisplayPlane{ident} scaleFactorX="{w}" scaleFactorY="{h}" textureStartX="{u1:.6f}" '
                f'textureStartY="{v1:.6f}" textureEndX="{u2:.6f}" textureEndY="{v2:.6f}"{extra}/>')


def _texture_slot(stem):
    return f'<TextureSlot textureId="/pool_textures/tex_{stem}" slot="0"/>'


MATERIAL = '<MaterialSlot materialId="/pool_textures/material" slot="0"/>'
DEFAULT_PARAMETERS = '<ParametersSlot parametersId="/parameters_default" slot="0"/>'


def _write(out, name, text):
    with open(os.path.join(out, name), "w", encoding="utf-8") as f:
        f.write(text)


def _animation(start, end, keys, comment):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', f"<!-- {comment} -->",
             f'<Animation startTime="{start:g}" endTime="{end:g}">']
    lines += [f"  {key}" for key in keys]
    lines.append("</Animation>")
    return "\n".join(lines) + "\n"


def _index_key(time, value):
    return f'<IndexKey time="{time:g}" value="{value}" interpolation="CONSTANT"/>'


# ----------------------------------------------------------------------------------------------
# Animals

COLOUR_KINDS = [name for name, *_ in pictures.COLOUR_ANIMALS]
KINDS = ["key", "lock", "stone1", "stone2", "stone3", "chameleon"] + COLOUR_KINDS
SHADOW = 'posX="4" posY="-6" depthOrder="-1000"'


def animal_clip(sheet, kind):
    """Index keys of a colour animal's picture: idle blinks, the edge-on middle of the flip and
    the half-turn, frozen and charred."""
    n, b, e = (sheet.index(f"{kind}_{frame}") for frame in ("normal", "blink", "edge"))
    keys = [(0, n), (0.35, b), (0.47, n), (0.85, b), (0.95, n),
            (FLIP, n), (FLIP + 0.05, e), (TURN, n), (TURN + 0.05, e),
            (FROZEN, n), (FROZEN + 0.15, sheet.index(f"{kind}_frozen")),
            (CHARRED, sheet.index(f"{kind}_charred"))]
    return _animation(0, CHARRED + 6, [_index_key(t, v) for t, v in keys],
                      f"{kind}: idle 0-{IDLE_END}, flip {FLIP}-{FLIP + 0.1:g}, half-turn {TURN}-{TURN + 0.1:g}, "
                      f"frozen {FROZEN}-{FROZEN + 0.5:g}, charred from {CHARRED:g}")


def joker_clip(sheet):
    step = JOKER_END / len(COLOUR_KINDS)
    keys = [_index_key(i * step, sheet.index(f"chameleon_{i}")) for i in range(len(COLOUR_KINDS))]
    keys.append(_index_key(JOKER_END, sheet.index("chameleon_0")))
    keys.append(_index_key(CHARRED, sheet.index("chameleon_charred")))
    return _animation(0, CHARRED + 6, keys, f"the joker cycles through every colour (0-{JOKER_END} looped); "
                      f"charred from {CHARRED:g}")


def shake_animation():
    keys = []
    steps = 16
    for i in range(steps + 1):
        t = i / steps
        x = 0 if i in (0, steps) else (3 if i % 2 else -3) * (1.0 - t * 0.5)
        keys.append(f'<PositionKey time="{t:g}" posX="{x:g}" posY="0" posZ="0"/>')
    return _animation(0, 1, keys, "an animal shaking at time-out or before it turns to ash (0-1)")


def animal_kind(sheet, kind):
    if kind in COLOUR_KINDS:
        return f"""
              <Namespace id="{kind}">
                <Transform id="shadow_transform" {SHADOW}>
                  {sheet.dps(f"{kind}_shadow0", "shadow_flip0")}
                  {sheet.dps(f"{kind}_shadow1", "shadow_flip1", ' activeAndVisible="no"')}
                </Transform>
                <Transform id="rotation">
                  {sheet.dps(f"{kind}_normal", "flip0", f' animationResourceId="game_common:anim_animal_{kind}"')}
                </Transform>
              </Namespace>"""
    if kind == "chameleon":
        return f"""
              <Namespace id="chameleon">
                <Transform id="shadow_transform" {SHADOW}>
                  {sheet.plane("chameleon_shadow", "shadow_flip0")}
                </Transform>
                <Transform id="rotation">
                  {sheet.dps("chameleon_0", "flip0", ' animationResourceId="game_common:anim_animal_chameleon"')}
                </Transform>
              </Namespace>"""
    if kind in ("key", "lock"):
        # The plate stays; the emblem blinks red while the chain nears its end.
        return f"""
              <Namespace id="{kind}">
                <Transform id="shadow_transform" {SHADOW}>
                  {sheet.plane("plate_shadow", "shadow_flip0")}
                </Transform>
                <Transform id="rotation">
                  {sheet.plane("plate", "flip0")}
                  {sheet.plane(f"{kind}_normal", "normal", ' depthOrder="1"')}
                  {sheet.plane(f"{kind}_red", "red", ' depthOrder="1" activeAndVisible="no"')}
                </Transform>
              </Namespace>"""
    return f"""
              <Namespace id="{kind}">
                <Transform id="shadow_transform" {SHADOW}>
                  {sheet.plane(f"{kind}_shadow", "shadow_flip0")}
                </Transform>
                <Transform id="rotation">
                  {sheet.plane(kind, "flip0")}
                </Transform>
              </Namespace>"""


def animal_graph(sheet):
    kinds = "".join(animal_kind(sheet, kind) for kind in KINDS)
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- One animal: the switch "select" shows its kind (children in kind order); each kind's
     "rotation" turns it to its heading, "flip0" is its picture (mirrored by the code), and the
     sequence timeline plays the clips of anim_animal_<kind>. -->
<Graph>
  <Namespace id="animal{{replication}}" activeAndVisible="no">
    {MATERIAL}
    {_texture_slot("animals")}
    <Transform id="position">
      <Timeline id="shaking_timeline" startTime="0" endTime="1">
        <Transform id="shaking_transform" animationResourceId="game_common:anim_animal_shake">
          <Scale id="scale">
            <Timeline id="sequence_timeline" startTime="0" endTime="{IDLE_END}">
              <Switch id="select" index="0">{kinds}
              </Switch>
            </Timeline>
          </Scale>
        </Transform>
      </Timeline>
    </Transform>
  </Namespace>
</Graph>
"""


# ----------------------------------------------------------------------------------------------
# Weapons

def weapon_graph(sheet):
    kinds = []
    for kind in pictures.WEAPON_KINDS:
        kinds.append(f"""
              <Namespace id="{kind}">
                <Transform id="bg_transform" depthOrder="-2">
                  <Scale id="bg_scale">
                    {sheet.dps("background")}
                  </Scale>
                </Transform>
                <Transform id="shadow_transform" posX="3" posY="-5" depthOrder="-1">
                  {sheet.dps(f"{kind}_shadow")}
                </Transform>
                <Scale id="scale">
                  <Transform id="rotation">
                    {sheet.dps(kind)}
                  </Transform>
                </Scale>
              </Namespace>""")
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- One weapon on the play field: its kind's picture on a disc, a glowing ring and the counter
     that runs down from 5 while the hover timeline runs from 0 to 1. -->
<Graph>
  <Namespace id="weapon{{replication}}" activeAndVisible="no">
    {MATERIAL}
    {_texture_slot("weapons")}
    <Parameters id="parameters_color" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>
    <Parameters id="highlighter_color" diffuseColor="1,0,0,0.8" ambientColor="1,1,1,1"/>
    <Transform id="position">
      <Timeline id="hover_timeline" startTime="0" endTime="1">
        <Scale id="level_scale">
          <Transform id="highlighter" depthOrder="-3" activeAndVisible="no">
            <ParametersSlot parametersId="highlighter_color" slot="0"/>
            <Scale animationResourceId="game_common:anim_weapon_pulse">
              {sheet.dps("highlighter")}
            </Scale>
          </Transform>
          <ParametersSlot parametersId="parameters_color" slot="0"/>
          <Transform animationResourceId="game_common:anim_weapon_hover">
            <Switch id="select" index="0">{"".join(kinds)}
            </Switch>
          </Transform>
          <Transform id="counter_text_transform" posX="20" posY="-18" depthOrder="1" activeAndVisible="no">
            <TextureSlot textureId="/app_textures/tex_font_text" slot="0"/>
            <DisplayText id="counter_text" fontResourceId="app:font_text" scaleFactor="0.8" reservedCharacters="2" text="5"
                         horizontalTextAlignment="CENTER" verticalTextAlignment="CENTER"/>
          </Transform>
        </Scale>
      </Timeline>
    </Transform>
    {DEFAULT_PARAMETERS}
  </Namespace>
</Graph>
"""


def weapon_pulse():
    keys = []
    for i in range(21):
        s = 1.0 if i % 2 == 0 else 1.12
        keys.append(f'<ScalingKey time="{i / 20:g}" scaleX="{s:g}" scaleY="{s:g}" scaleZ="1"/>')
    return _animation(0, 1, keys, "the weapon's ring pulses while its counter runs (hover timeline 0-1)")


def weapon_hover():
    keys = []
    for i in range(11):
        y = 0 if i % 2 == 0 else 4
        keys.append(f'<PositionKey time="{i / 10:g}" posX="0" posY="{y}" posZ="0" interpolation="EASE_IN_OUT"/>')
    return _animation(0, 1, keys, "the weapon bobs while its counter runs (hover timeline 0-1)")


# ----------------------------------------------------------------------------------------------
# Bees and rocks

BEE_KINDS = ["bee", "bee_winter", "bee_summer"]


def obstacle_graph(sheet):
    kinds = []
    for kind in BEE_KINDS:
        kinds.append(f"""
        <Namespace id="{kind}">
          <Transform id="shadow_rotation" posX="8" posY="-16" depthOrder="-1000">
            {sheet.plane(f"{kind}_shadow")}
          </Transform>
          <Transform id="rotation">
            {sheet.plane(kind, "plane")}
          </Transform>
        </Namespace>""")
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- One flying obstacle (a bee; "select" child 0 plain, 1 winter, 2 summer) with its beating
     wings, its life bar and the hint arrow of the level that teaches shooting bees. -->
<Graph>
  <Namespace id="obstacle{{replication}}" activeAndVisible="no">
    {MATERIAL}
    {_texture_slot("obstacles")}
    <Parameters id="parameters_obstacle" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>
    <Parameters id="parameters" diffuseColor="0.98,0.87,0.12,1" ambientColor="1,1,1,1"/>
    <Transform id="position">
      <ParametersSlot parametersId="parameters_obstacle" slot="0"/>
      <Switch id="select" index="1">{"".join(kinds)}
      </Switch>
      <Transform id="wings" depthOrder="1">
        <Transform id="wings_rotation">
          <Timeline id="wings_timeline" startTime="0" endTime="0.12" numberOfLoops="-1" autoRewind="true">
            {sheet.dps("wings_up", None, ' animationResourceId="game_common:anim_obstacle_wings"')}
          </Timeline>
        </Transform>
      </Transform>
      {DEFAULT_PARAMETERS}
      <Transform id="statusbar" posY="100" depthOrder="2" activeAndVisible="no">
        {sheet.dps("statusbar")}
        <ParametersSlot parametersId="parameters" slot="0"/>
        <Transform id="offset" depthOrder="1">
          <Scale id="life" scaleFactorX="113" scaleFactorY="16" scaleFactorZ="1">
            {_white_plane(sheet)}
          </Scale>
        </Transform>
        {DEFAULT_PARAMETERS}
      </Transform>
      <Transform id="shootme" posY="120" depthOrder="3" activeAndVisible="no">
        <Timeline id="shootme_timeline" startTime="0" endTime="0.8" numberOfLoops="-1" autoRewind="true">
          <Transform animationResourceId="game_common:anim_obstacle_shootme">
            {sheet.dps("shootme")}
          </Transform>
        </Timeline>
      </Transform>
    </Transform>
  </Namespace>
</Graph>
"""


def _white_plane(sheet):
    """A unit plane of plain white: the middle of the white picture, away from its edges."""
    u1, v1, u2, v2, *_ = sheet.rects["white"]
    du, dv = (u2 - u1) / 4, (v2 - v1) / 4
    return (f'<DisplayPlane scaleFactorX="1" scaleFactorY="1" textureStartX="{u1 + du:.6f}" '
            f'textureStartY="{v1 + dv:.6f}" textureEndX="{u2 - du:.6f}" textureEndY="{v2 - dv:.6f}"/>')


def wings_animation(sheet):
    up, down = sheet.index("wings_up"), sheet.index("wings_down")
    return _animation(0, 0.12, [_index_key(0, up), _index_key(0.06, down), _index_key(0.12, up)],
                      "the bee's wings beat (looped 0-0.12)")


def shootme_animation():
    keys = [f'<PositionKey time="{t:g}" posX="0" posY="{y}" posZ="0" interpolation="EASE_IN_OUT"/>'
            for t, y in ((0, 0), (0.4, 18), (0.8, 0))]
    return _animation(0, 0.8, keys, "the hint arrow above a bee bobs (looped 0-0.8)")


def rock_graph(sheet):
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- One rock, drawn into the background frame buffer; the code reads the size of "plane". -->
<Graph>
  <Namespace id="obstacle{{replication}}" activeAndVisible="no">
    {MATERIAL}
    {_texture_slot("obstacles")}
    <Transform id="position">
      <Transform posX="6" posY="-8" depthOrder="-1">
        {sheet.plane("rock_shadow")}
      </Transform>
      {sheet.plane("rock", "plane")}
    </Transform>
  </Namespace>
</Graph>
"""


# ----------------------------------------------------------------------------------------------
# Clouds, course strips, score pop-ups, explosions

def clouds_graph(sheet):
    types = []
    for i in range(len(pictures.CLOUD_SIZES)):
        types.append(f"""
        <Namespace id="cloud{i}">
          <Switch id="opacity" index="0">
            {sheet.dps(f"cloud{i}")}
            {sheet.dps(f"cloud{i}_light")}
          </Switch>
        </Namespace>""")
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- One cloud drifting over the play field: "select" picks its shape, each shape's "opacity"
     switch an opaque (0) or lighter (1) picture; "parameters" fades it further. -->
<Graph>
  <Namespace id="clouds{{replication}}" activeAndVisible="no">
    {MATERIAL}
    {_texture_slot("clouds")}
    <Parameters id="parameters" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>
    <ParametersSlot parametersId="parameters" slot="0"/>
    <Transform id="position">
      <Switch id="select" index="0">{"".join(types)}
      </Switch>
    </Transform>
    {DEFAULT_PARAMETERS}
  </Namespace>
</Graph>
"""


def course_graph():
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- One course's band around its ellipse: the code writes 128 vertex pairs (x, y, z, u, v) and
     closes the strip with two more indices; the timeline fades the band out when the course is
     finished. -->
<Graph>
  <Namespace id="course{{replication}}" activeAndVisible="no">
    {MATERIAL}
    {_texture_slot("course")}
    <Parameters id="parameters" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>
    <Timeline id="timeline" startTime="0" endTime="{COURSE_FADE_END:g}">
      <Parameters id="fade" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"
                  animationResourceId="game_common:anim_course_fade"/>
      <ParametersSlot parametersId="fade" slot="0"/>
      <DisplayObject id="display_object" hasTexCoords0="true" maxNumberOfVertices="256"
                     maxNumberOfIndices="258" dynamicVertices="true" primitiveType="TRIANGLE_STRIP"/>
    </Timeline>
    {DEFAULT_PARAMETERS}
  </Namespace>
</Graph>
"""


def course_fade():
    keys = ['<DiffuseColorKey time="0" color="1,1,1,1"/>',
            f'<DiffuseColorKey time="{COURSE_FADE_END:g}" color="1,1,1,0"/>']
    return _animation(0, COURSE_FADE_END, keys, "a finished course's band fades out")


def scoretext_graph():
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- One score pop-up: the text pops up and rises while the score timeline runs from 0 to 1
     (the code sets its rate from the pop-up's duration). -->
<Graph>
  <Namespace id="scores{{replication}}" activeAndVisible="no">
    {MATERIAL}
    <Parameters id="score_color" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>
    <Transform id="score_transform">
      <Timeline id="score_timeline" startTime="0" endTime="1">
        <Scale id="score_scale">
          <Transform animationResourceId="game_common:anim_score_rise">
            <Scale animationResourceId="game_common:anim_score_pop">
              <TextureSlot textureId="/app_textures/tex_font_sign" slot="0"/>
              <ParametersSlot parametersId="score_color" slot="0"/>
              <DisplayText id="score_text" fontResourceId="app:font_sign" reservedCharacters="16"
                           useSameDigitWidth="true" horizontalTextAlignment="CENTER"
                           verticalTextAlignment="CENTER"/>
              {DEFAULT_PARAMETERS}
            </Scale>
          </Transform>
        </Scale>
      </Timeline>
    </Transform>
  </Namespace>
</Graph>
"""


def score_rise():
    keys = ['<PositionKey time="0" posX="0" posY="0" posZ="0"/>',
            '<PositionKey time="1" posX="0" posY="70" posZ="0" interpolation="EASE_OUT"/>']
    return _animation(0, 1, keys, "a score pop-up rises (0-1)")


def score_pop():
    keys = [f'<ScalingKey time="{t:g}" scaleX="{s:g}" scaleY="{s:g}" scaleZ="1"/>'
            for t, s in ((0, 0.3), (0.12, 1.25), (0.25, 1.0), (0.85, 1.0), (1.0, 0.6))]
    return _animation(0, 1, keys, "a score pop-up pops in and shrinks away (0-1)")


def explosion_graph(sheet, name, frames, end):
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- One {name} explosion: "sequence" is placed (and turned) by the code and steps through its
     pictures while the timeline runs from 0 to {end:g}. -->
<Graph>
  <Namespace id="{name}explosion{{replication}}" activeAndVisible="no">
    {MATERIAL}
    {_texture_slot("effects")}
    <Timeline id="timeline" startTime="0" endTime="{end:g}">
      {sheet.dps(f"{name}0", "sequence", f' animationResourceId="game_common:anim_{name}explosion"')}
    </Timeline>
  </Namespace>
</Graph>
"""


def explosion_animation(sheet, name, frames, end):
    keys = [_index_key(end * i / frames, sheet.index(f"{name}{i}")) for i in range(frames)]
    return _animation(0, end, keys, f"the {name} explosion's pictures (0-{end:g})")


# ----------------------------------------------------------------------------------------------
# Package writers

def textures_graph():
    textures = "\n".join(
        f'    <FlatTexture id="tex_{stem}" bitmapResourceId="game:img_pool_{stem}" '
        f'horizontalWrapMode="CLAMP_TO_EDGE" verticalWrapMode="CLAMP_TO_EDGE"/>'
        for stem in list(SHEETS) + ["course"])
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- The textures and the material of the pooled objects, shared by every copy. Mirrored
     animals and bees flying left show their back faces, so both faces are drawn. -->
<Graph>
  <Namespace id="pool_textures">
    <FixedProgram id="program" coloringEnabled="true" textureUnit0Enabled="true" lightingEnabled="false"/>
    <Material id="material" programId="program" blendMode="ALPHA" depthBufferMode="NONE"
              visibleFaces="FRONT_AND_BACK"/>
{textures}
  </Namespace>
</Graph>
"""


def generate_1280(out):
    for stem in SHEETS:
        Sheet(stem).packed.save(os.path.join(out, f"pool_{stem}.png"), os.path.join(out, f"pool_{stem}_atlas.xml"))
    pictures.course_texture().save(os.path.join(out, "pool_course.png"), optimize=False)
    _write(out, "pool_textures.xml", textures_graph())


def generate_common(out):
    sheets = {stem: Sheet(stem) for stem in SHEETS}
    animals = sheets["animals"]
    files = {
        "pool_animal.xml": animal_graph(animals),
        "pool_weapon.xml": weapon_graph(sheets["weapons"]),
        "pool_obstacle.xml": obstacle_graph(sheets["obstacles"]),
        "pool_rock.xml": rock_graph(sheets["obstacles"]),
        "pool_clouds.xml": clouds_graph(sheets["clouds"]),
        "pool_course.xml": course_graph(),
        "pool_scoretext.xml": scoretext_graph(),
        "pool_ashexplosion.xml": explosion_graph(sheets["effects"], "ash", pictures.ASH_FRAMES, ASH_END),
        "pool_iceexplosion.xml": explosion_graph(sheets["effects"], "ice", pictures.ICE_FRAMES, ICE_END),
        "anim_animal_shake.xml": shake_animation(),
        "anim_animal_chameleon.xml": joker_clip(animals),
        "anim_weapon_pulse.xml": weapon_pulse(),
        "anim_weapon_hover.xml": weapon_hover(),
        "anim_obstacle_wings.xml": wings_animation(sheets["obstacles"]),
        "anim_obstacle_shootme.xml": shootme_animation(),
        "anim_course_fade.xml": course_fade(),
        "anim_score_rise.xml": score_rise(),
        "anim_score_pop.xml": score_pop(),
        "anim_ashexplosion.xml": explosion_animation(sheets["effects"], "ash", pictures.ASH_FRAMES, ASH_END),
        "anim_iceexplosion.xml": explosion_animation(sheets["effects"], "ice", pictures.ICE_FRAMES, ICE_END),
    }
    for kind in COLOUR_KINDS:
        files[f"anim_animal_{kind}.xml"] = animal_clip(animals, kind)
    for name, text in files.items():
        _write(out, name, text)


def generate(out, source, tools, package):
    if package == "game_1280":
        generate_1280(out)
    elif package == "game_common":
        generate_common(out)
    else:
        raise ValueError(f"game_pools: no pools for package '{package}'")
