import * as THREE from 'three';
import { OrbitControls } from '/OrbitControls.js';
import { assignmentColour } from './colours.js';

const DEG = Math.PI / 180;
const PART_SIZE = 120;

// The body in 3D: each product at its absolute position (parts as boxes,
// assemblies as axis frames), point fasteners as points and curve
// fasteners as polylines coloured by assignment, with a legend counting the
// points of each colour. Drag to orbit, wheel to zoom, click to pick (Ctrl
// or Shift extends).
export class BodyView {
  constructor(element, onPick) {
    this.element = element;
    this.onPick = onPick;
    try {
      this.renderer = new THREE.WebGLRenderer({ antialias: true, preserveDrawingBuffer: true });
    } catch (failure) {
      element.textContent = 'This browser cannot show the 3D view (no WebGL).';
      return;
    }
    this.scene = new THREE.Scene();
    this.scene.background = new THREE.Color('#dfe6ec');
    this.camera = new THREE.PerspectiveCamera(40, 1, 10, 100000);
    this.camera.up.set(0, 0, 1);
    this.controls = new OrbitControls(this.camera, this.renderer.domElement);
    this.controls.addEventListener('change', () => this.draw());
    this.raycaster = new THREE.Raycaster();
    this.raycaster.params.Points.threshold = 25;
    this.raycaster.params.Line.threshold = 15;
    this.group = new THREE.Group();
    this.scene.add(this.group, new THREE.AmbientLight('#ffffff', 2.0));
    this.legend = document.createElement('ul');
    this.legend.className = 'legend';
    element.append(this.renderer.domElement, this.legend);
    new ResizeObserver(() => this.resize()).observe(element);
    let down = null;
    this.renderer.domElement.addEventListener('pointerdown', (e) => { down = [e.clientX, e.clientY]; });
    this.renderer.domElement.addEventListener('pointerup', (e) => {
      if (down && Math.hypot(e.clientX - down[0], e.clientY - down[1]) < 4) this.pickAt(e);
    });
    this.framed = false;
    // Scripted checks of picking find where an object lies on the screen.
    element.bodyView = this;
  }

  resize() {
    const { clientWidth: w, clientHeight: h } = this.element;
    if (!w || !h) return;
    this.renderer.setSize(w, h, false);
    this.camera.aspect = w / h;
    this.camera.updateProjectionMatrix();
    this.draw();
  }

  draw() { if (this.renderer) this.renderer.render(this.scene, this.camera); }

  show(products, fasteners) {
    if (!this.renderer) return;
    this.group.clear();
    const parents = new Set(products.map((p) => p.path.split('/').slice(0, -1).join('/')));
    const box = new THREE.BoxGeometry(PART_SIZE, PART_SIZE, PART_SIZE / 3);
    const edges = new THREE.EdgesGeometry(box);
    for (const product of products) {
      const at = product.absolutePosition;
      let object;
      if (parents.has(product.path)) {
        object = new THREE.AxesHelper(PART_SIZE * 1.5);
      } else {
        object = new THREE.LineSegments(edges, new THREE.LineBasicMaterial({ color: '#51606f' }));
      }
      object.position.set(at.x, at.y, at.z);
      object.rotation.set(at.roll * DEG, at.pitch * DEG, at.yaw * DEG, 'ZYX');
      object.userData = { pick: `product:${product.path}` };
      this.group.add(object);
    }
    const points = fasteners.filter((f) => f.designPosition);
    const positions = new Float32Array(points.length * 3);
    const colours = new Float32Array(points.length * 3);
    const colour = new THREE.Color();
    const counts = new Map();
    points.forEach((f, i) => {
      const p = f.manufacturingPosition || f.designPosition;
      positions.set([p.x, p.y, p.z], i * 3);
      const style = assignmentColour(f);
      colour.setStyle(style);
      colours.set([colour.r, colour.g, colour.b], i * 3);
      const label = (f.assignedTo || [])[0] || 'unassigned';
      counts.set(label, { style, count: (counts.get(label)?.count || 0) + 1 });
    });
    this.showLegend(counts);
    const geometry = new THREE.BufferGeometry();
    geometry.setAttribute('position', new THREE.BufferAttribute(positions, 3));
    geometry.setAttribute('color', new THREE.BufferAttribute(colours, 3));
    const cloud = new THREE.Points(geometry, new THREE.PointsMaterial({ size: 9, sizeAttenuation: false, vertexColors: true }));
    cloud.userData = { names: points.map((f) => f.name) };
    this.group.add(cloud);
    for (const f of fasteners.filter((f) => f.points && f.points.length > 1)) {
      const line = new THREE.Line(
        new THREE.BufferGeometry().setFromPoints(f.points.map(([x, y, z]) => new THREE.Vector3(x, y, z))),
        new THREE.LineBasicMaterial({ color: assignmentColour(f) }));
      line.userData = { pick: `fastener:${f.name}` };
      this.group.add(line);
    }
    if (!this.framed && products.length) this.frame();
    this.draw();
  }

  // One line a colour: its swatch, the activity's name (the last part of
  // its path) and how many points have it.
  showLegend(counts) {
    this.legend.replaceChildren(...[...counts].map(([label, { style, count }]) => {
      const line = document.createElement('li');
      const swatch = document.createElement('span');
      swatch.className = 'swatch';
      swatch.style.background = style;
      line.append(swatch, `${label.split('/').pop()} ${count}`);
      line.title = label;
      Object.assign(line.dataset, { label, count });
      return line;
    }));
  }

  // Where the point fastener or product `reference` lies in the page's
  // coordinates, or null.
  screenPoint(reference) {
    const name = reference.replace(/^fastener:/, '');
    for (const object of this.group.children) {
      const index = object.userData.names ? object.userData.names.indexOf(name) : -1;
      if (index < 0 && object.userData.pick !== reference) continue;
      const at = index >= 0 ? new THREE.Vector3().fromBufferAttribute(object.geometry.attributes.position, index)
        : object.position.clone();
      at.project(this.camera);
      const rect = this.renderer.domElement.getBoundingClientRect();
      return [rect.left + (at.x + 1) / 2 * rect.width, rect.top + (1 - at.y) / 2 * rect.height];
    }
    return null;
  }

  frame() {
    const bounds = new THREE.Box3().setFromObject(this.group);
    const centre = bounds.getCenter(new THREE.Vector3());
    const size = bounds.getSize(new THREE.Vector3()).length() || 1000;
    this.camera.position.copy(centre).add(new THREE.Vector3(-0.6 * size, -0.9 * size, 0.7 * size));
    this.controls.target.copy(centre);
    this.controls.update();
    this.framed = true;
  }

  pickAt(event) {
    const rect = this.renderer.domElement.getBoundingClientRect();
    const pointer = new THREE.Vector2(((event.clientX - rect.left) / rect.width) * 2 - 1,
      -((event.clientY - rect.top) / rect.height) * 2 + 1);
    this.raycaster.setFromCamera(pointer, this.camera);
    const hit = this.raycaster.intersectObjects(this.group.children, false)[0];
    if (!hit) return;
    const reference = hit.object.userData.names ? `fastener:${hit.object.userData.names[hit.index]}` : hit.object.userData.pick;
    if (reference) this.onPick(reference, event.ctrlKey || event.shiftKey || event.metaKey);
  }
}
